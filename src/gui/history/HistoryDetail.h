#pragma once

#include <QList>
#include <QWidget>

class QLineEdit;
class QPushButton;
class QSqlRecord;

namespace convertor {

// The detail page of the history window: every column of one run, read-only, and the buttons
// Back and Open Folder.
class HistoryDetail : public QWidget {
    Q_OBJECT

public:
    explicit HistoryDetail(QWidget* parent = nullptr);

    void showRun(const QSqlRecord& run);
    // The field of a history column.
    QLineEdit* field(const char* column) const;

signals:
    void backRequested();
    void openFolderRequested();

private:
    QList<QLineEdit*> m_fields;  // in the table's column order
};

}  // namespace convertor

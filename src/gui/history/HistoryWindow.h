#pragma once

#include <QWidget>

#include "history/HistoryModel.h"

class QComboBox;
class QDateEdit;
class QLabel;
class QStackedWidget;
class QTableView;

namespace convertor {

class GridColumnSizer;
class HistoryDetail;

// The run history window, a child window of the main window's frame: the runs newest first,
// filtered by company, product and date range; a detail page with every column of a run; the
// destination's folder opened through the desktop; the runs shown exported as CSV. It reads the
// history again whenever it is activated and deletes itself when closed.
class HistoryWindow : public QWidget {
    Q_OBJECT

public:
    explicit HistoryWindow(QWidget* parent = nullptr);

    // Reads the history again with the filters as they stand, keeping the current run.
    void reload();
    // Writes the runs shown, every column, to file; false after showing why not.
    bool exportCsv(const QString& file);

    HistoryModel* model() const { return m_model; }
    QTableView* grid() const { return m_grid; }
    HistoryDetail* detail() const { return m_detail; }
    bool showingDetail() const;

public slots:
    void showDetail();
    void showGrid();
    void openFolder();

protected:
    bool event(QEvent* event) override;

private:
    QWidget* buildFilters();
    QWidget* buildGridPage();
    HistoryFilter filter() const;
    void refillCompanies();
    void clearFilters();
    void chooseCsvFile();
    void closeWindow();
    int currentRow() const;

    HistoryModel* m_model;
    QComboBox* m_company = nullptr;
    QComboBox* m_product = nullptr;
    QDateEdit* m_from = nullptr;
    QDateEdit* m_to = nullptr;
    QTableView* m_grid = nullptr;
    GridColumnSizer* m_columns = nullptr;
    QLabel* m_count = nullptr;
    HistoryDetail* m_detail = nullptr;
    QStackedWidget* m_pages = nullptr;
    QString m_exportDirectory;
};

}  // namespace convertor

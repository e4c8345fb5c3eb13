#pragma once

#include <QFileDialog>
#include <QString>

#include <optional>

class QWidget;

namespace convertor {

// One kind of Browse dialog. Each choice gets a dialog of its own, destroyed when it closes: a
// dialog kept between uses left its completion list on screen after Enter, over a window it had
// left inactive. The folder the last dialog showed is where the next one opens.
class FileChooser {
public:
    // objectName names each dialog, so that it can be found while it is open.
    FileChooser(QString objectName, QFileDialog::AcceptMode mode);

    // The chosen file with native separators; none when the dialog is cancelled.
    std::optional<QString> choose(QWidget* parent);

private:
    QString m_objectName;
    QFileDialog::AcceptMode m_mode;
    QString m_directory;
};

}  // namespace convertor

#include "converter/FileChooser.h"

#include <QDir>
#include <QFileInfo>
#include <QPointer>

#include <utility>

namespace convertor {

FileChooser::FileChooser(QString objectName, QFileDialog::AcceptMode mode)
    : m_objectName(std::move(objectName)), m_mode(mode) {}

std::optional<QString> FileChooser::choose(QWidget* parent) {
    QPointer<QFileDialog> dialog = new QFileDialog(parent);
    dialog->setObjectName(m_objectName);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setAcceptMode(m_mode);
    dialog->setFileMode(m_mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog->setOption(QFileDialog::DontConfirmOverwrite);
    dialog->setNameFilters({QStringLiteral("Text File (*.txt)"), QStringLiteral("All File (*)")});
    if (!m_directory.isEmpty()) {
        dialog->setDirectory(m_directory);
    }
    const bool accepted = dialog->exec() == QDialog::Accepted;
    if (!dialog) {
        return std::nullopt;  // its window went, and this chooser with it
    }
    const QStringList files = accepted ? dialog->selectedFiles() : QStringList();
    m_directory =
        files.isEmpty() ? dialog->directory().absolutePath() : QFileInfo(files.first()).absolutePath();
    delete dialog;
    // Keys and clicks go to the window the dialog was opened over.
    if (parent) {
        parent->window()->activateWindow();
    }
    if (files.isEmpty()) {
        return std::nullopt;
    }
    return QDir::toNativeSeparators(files.first());
}

}  // namespace convertor

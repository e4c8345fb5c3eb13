#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

namespace convertor {

// Where the windows' one-button messages go: a message box with OK by default. Tests put a
// recorder here so that no modal box blocks them.
using MessageSink = std::function<void(QWidget* parent, QMessageBox::Icon icon, const QString& text)>;

// Returns the sink that was in place.
MessageSink setMessageSink(MessageSink sink);
void showMessage(QWidget* parent, const QString& text, QMessageBox::Icon icon = QMessageBox::Information);

// The caption of every message box: the application's title.
inline constexpr const char* kApplicationTitle = "Convertor ZVB";

}  // namespace convertor

#include "app/MessageSink.h"

#include <utility>

namespace convertor {

namespace {

void messageBox(QWidget* parent, QMessageBox::Icon icon, const QString& text) {
    QMessageBox box(icon, QString::fromLatin1(kApplicationTitle), text, QMessageBox::Ok, parent);
    box.exec();
}

MessageSink& currentSink() {
    static MessageSink sink = messageBox;
    return sink;
}

}  // namespace

MessageSink setMessageSink(MessageSink sink) {
    return std::exchange(currentSink(), sink ? std::move(sink) : MessageSink(messageBox));
}

void showMessage(QWidget* parent, const QString& text, QMessageBox::Icon icon) {
    currentSink()(parent, icon, text);
}

}  // namespace convertor

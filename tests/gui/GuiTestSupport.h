#pragma once

#include <QMessageBox>
#include <QStringList>
#include <QWidget>

#include <filesystem>
#include <memory>
#include <string>

#include "app/MessageSink.h"
#include "support/TestSupport.h"

namespace convertor::test {

// Takes the place of the message boxes while it lives: what would have been shown is recorded.
class MessageRecorder {
public:
    MessageRecorder();
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    QStringList messages;
    QList<QMessageBox::Icon> icons;

private:
    MessageSink m_previous;
};

// The widget of that class and object name under root; fails the test (by a null) otherwise.
template <typename T>
T* child(const QObject* root, const char* name) {
    return root->findChild<T*>(QString::fromLatin1(name));
}

// Data/Default.ini of a test home with these [ReFormat] lines.
void writeSettings(const TestHome& home, const std::string& lines);

// Every edit field, button, radio button and check box in the accessibility tree of window that
// has no name, as "role objectName"; controls counts the controls looked at.
QStringList namelessControls(QWidget* window, int* controls = nullptr);

// A Direct Credit source file of count detail lines dated 31/12/2099 (eleven-digit layout).
void writeLargeDirectCredit(const std::filesystem::path& file, int count);

}  // namespace convertor::test

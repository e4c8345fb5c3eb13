#include "GuiTestSupport.h"

#include <QAccessible>

#include <cstdio>
#include <fstream>

namespace convertor::test {

MessageRecorder::MessageRecorder() {
    m_previous = setMessageSink([this](QWidget*, QMessageBox::Icon icon, const QString& text) {
        messages << text;
        icons << icon;
    });
}

MessageRecorder::~MessageRecorder() {
    setMessageSink(m_previous);
}

void writeSettings(const TestHome& home, const std::string& lines) {
    writeFile(home.home() / "Data" / "Default.ini", "[ReFormat]\r\n" + lines);
}

namespace {

void collectNameless(QAccessibleInterface* node, QStringList& found, int& controls) {
    if (!node || !node->isValid()) {
        return;
    }
    const QAccessible::Role role = node->role();
    const bool control = role == QAccessible::EditableText || role == QAccessible::PushButton ||
                         role == QAccessible::RadioButton || role == QAccessible::CheckBox;
    controls += control ? 1 : 0;
    if (control && !node->state().invisible && node->text(QAccessible::Name).trimmed().isEmpty()) {
        QObject* object = node->object();
        found << QStringLiteral("%1 %2").arg(int(role)).arg(object ? object->objectName() : QString());
    }
    for (int i = 0; i < node->childCount(); ++i) {
        collectNameless(node->child(i), found, controls);
    }
}

}  // namespace

QStringList namelessControls(QWidget* window, int* controls) {
    QStringList found;
    int seen = 0;
    collectNameless(QAccessible::queryAccessibleInterface(window), found, seen);
    if (controls) {
        *controls = seen;
    }
    return found;
}

void writeLargeDirectCredit(const std::filesystem::path& file, int count) {
    std::string header = "H" + std::string(14, '0') + "LARGE TRADING CO LTD          " + "  311299";
    char number[16];
    std::snprintf(number, sizeof number, "%05d", count < 99999 ? count : 99999);
    std::string bytes = header + number + "\r\n";
    const std::string line = "1234567896" + std::string(7, '0') + "00000012345" + "Somchai Example" +
                             std::string(45, ' ') + "\r\n";
    bytes.reserve(bytes.size() + line.size() * static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        bytes += line;
    }
    writeFile(file, bytes);
}

}  // namespace convertor::test

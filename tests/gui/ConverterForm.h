#pragma once

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>

#include <memory>
#include <optional>

#include "converter/ConverterWindow.h"
#include "GuiTestSupport.h"

namespace convertor::test {

// A converter window over a fresh program directory, its controls reached by object name.
struct ConverterForm {
    // settings: the [ReFormat] lines of Default.ini; none keeps the delivered file, "-" removes it.
    explicit ConverterForm(std::optional<std::string> settings = std::nullopt) {
        if (settings == "-") {
            std::filesystem::remove(home.home() / "Data" / "Default.ini");
        } else if (settings) {
            writeSettings(home, *settings);
        }
        window = std::make_unique<ConverterWindow>(home.home());
        window->resize(900, 700);
        window->show();
    }

    QLineEdit* edit(const char* name) const { return child<QLineEdit>(window.get(), name); }
    QPushButton* button(const char* name) const { return child<QPushButton>(window.get(), name); }
    QRadioButton* radio(const char* name) const { return child<QRadioButton>(window.get(), name); }
    QLabel* label(const char* name) const { return child<QLabel>(window.get(), name); }
    bool shown(const char* name) const {
        return child<QWidget>(window.get(), name)->isVisibleTo(window.get());
    }

    // Presses "Reformat Data" and waits for the run to end; false when none ended in time.
    bool runAndWait(int timeoutMs = 60000) {
        QSignalSpy finished(window.get(), &ConverterWindow::runFinished);
        button("btnAction")->click();
        return finished.count() > 0 || finished.wait(timeoutMs);
    }

    TestHome home;
    MessageRecorder recorder;
    std::unique_ptr<ConverterWindow> window;
};

}  // namespace convertor::test

#include <QApplication>
#include <QFile>

#include <cstdio>
#include <cstring>

#include "app/MainWindow.h"

namespace {

// --help and --version are answered before QApplication exists, so that they need no display
// (the manual page is made from them at build time). Qt's own options (-platform, -style, ...)
// are left to QApplication.
bool answeredWithoutWindow(int argc, char* argv[], int& status) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("convertor %s\n", CONVERTOR_VERSION);
            status = 0;
            return true;
        }
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::printf(
                "Converts customers' payment files into the bank's bulk-payment upload file\n"
                "Usage: convertor [OPTIONS]\n"
                "\n"
                "Opens the converter window: choose the product (Direct Credit, Payroll, Media\n"
                "Clearing or Manager Cheque), the company, the debit accounts, the source file and\n"
                "the destination, and press \"Reformat Data\". Every run ends with its report in a\n"
                "preview window. convertor-cli does the same without a window.\n"
                "\n"
                "Options:\n"
                "  -h,--help                   Print this help message and exit\n"
                "  --version                   Print the version and exit\n"
                "  -platform NAME              Qt platform plugin (e.g. xcb, wayland, offscreen)\n"
                "  -style NAME                 Qt widget style\n");
            status = 0;
            return true;
        }
    }
    return false;
}

}  // namespace

int main(int argc, char* argv[]) {
    int status = 0;
    if (answeredWithoutWindow(argc, argv, status)) {
        return status;
    }
    QApplication app(argc, argv);
    // The program's title; not a display name, which would be appended to every caption.
    app.setApplicationName(QStringLiteral("Convertor ZVB"));
    // Report previews are windows of their own; closing the main window still ends the program.
    app.setQuitOnLastWindowClosed(false);

    convertor::MainWindow window(QFile::encodeName(QApplication::applicationDirPath()).toStdString());
    QObject::connect(&window, &convertor::MainWindow::closed, &app, &QApplication::quit);
    window.showMaximized();
    return app.exec();
}

#include <QApplication>
#include <QFile>

#include "MainWindow.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("convertor"));
    app.setApplicationDisplayName(QStringLiteral("Convertor ZVB"));
    // Report previews are windows of their own; closing the main window still ends the program.
    app.setQuitOnLastWindowClosed(false);

    convertor::MainWindow window(QFile::encodeName(QApplication::applicationDirPath()).toStdString());
    QObject::connect(&window, &convertor::MainWindow::closed, &app, &QApplication::quit);
    window.showMaximized();
    return app.exec();
}

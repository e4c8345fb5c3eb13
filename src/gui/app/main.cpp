#include <QApplication>
#include <QFile>

#include "MainWindow.h"

int main(int argc, char* argv[]) {
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

// Takes the README's pictures of the window program: run under a virtual display (scripts/screenshots).
// Usage: convertor-shots HOME OUTDIR SAMPLE_DIR
//   HOME a scratch program directory (Data/, Report/), OUTDIR where the PNG files go, SAMPLE_DIR the
//   folder holding samples/DirectCredit.txt.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QMdiArea>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "app/LoginWindow.h"
#include "app/MainWindow.h"
#include "app/MessageSink.h"
#include "converter/ConverterWindow.h"
#include "report/ReportPreview.h"

namespace fs = std::filesystem;
using namespace convertor;

namespace {

QString g_out;

void settle(int ms) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
}

void shot(const char* name, int wait = 300) {
    settle(wait);
    const QString file = g_out + "/" + name + ".png";
    // Four bits a channel look the same on a screen and keep the pictures small for the repository.
    const QImage picture = QGuiApplication::primaryScreen()
                               ->grabWindow(0)
                               .toImage()
                               .convertToFormat(QImage::Format_RGB444)
                               .convertToFormat(QImage::Format_RGB888);
    if (!picture.save(file, "PNG", 0)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
    }
}

// 999,999 Direct Credit lines dated 31/12/2099: long enough to catch the progress bar part-way.
void writeLargeFile(const fs::path& file) {
    std::ofstream out(file, std::ios::binary);
    out << "H" << std::string(14, '0') << "LARGE TRADING CO LTD          "
        << "  31129999999\r\n";
    const std::string line = "1234567896" + std::string(7, '0') + "00000012345" + "Somchai Example" +
                             std::string(45, ' ') + "\r\n";
    for (int i = 0; i < 999999; ++i) {
        out << line;
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Convertor ZVB"));
    if (argc != 4) {
        std::fprintf(stderr, "usage: convertor-shots HOME OUTDIR SAMPLE_DIR\n");
        return 64;
    }
    const fs::path home = argv[1];
    g_out = QString::fromLocal8Bit(argv[2]);
    const fs::path samples = argv[3];
    fs::create_directories(home / "out");
    fs::create_directories(home / "in");
    const fs::path sample = home / "in" / "DirectCredit.txt";
    fs::copy_file(samples / "DirectCredit.txt", sample, fs::copy_options::overwrite_existing);

    // Messages are shown as the program shows them, but without waiting for a click.
    bool pictureMessages = false;
    setMessageSink([&](QWidget* parent, QMessageBox::Icon icon, const QString& text) {
        if (!pictureMessages) {
            return;
        }
        QMessageBox box(icon, QString::fromLatin1(kApplicationTitle), text, QMessageBox::Ok, parent);
        box.show();
        shot("message-box");
    });

    MainWindow window(home);
    window.showMaximized();
    ConverterWindow* form = window.converterWindow();
    auto edit = [&](const char* name) { return form->findChild<QLineEdit*>(name); };
    auto click = [&](const char* name) { form->findChild<QAbstractButton*>(name)->click(); };
    auto waitForRun = [&] {
        while (form->isRunning()) {
            settle(50);
        }
        settle(200);
    };
    settle(500);

    edit("edtComId")->setText("ACME01");
    edit("edtDebitAcct")->setText("1234567896");
    click("btnCopyAcct");
    edit("edtSource")->setText(QString::fromStdString(sample.string()));
    edit("edtDestination")->setText(QString::fromStdString((home / "out" / "bank.txt").string()));
    click("rbtDirect10m");
    shot("converter-direct-credit");
    click("rbtMedia");
    shot("converter-media-clearing");
    click("rbtMcp");
    edit("edtInvoice")->setText(QString::fromStdString((home / "in" / "invoices.txt").string()));
    shot("converter-manager-cheque");

    click("rbtDirect10m");
    pictureMessages = true;
    edit("edtComId")->clear();
    click("btnAction");
    waitForRun();
    pictureMessages = false;

    writeLargeFile(home / "in" / "large.txt");
    edit("edtComId")->setText("ACME01");
    edit("edtSource")->setText(QString::fromStdString((home / "in" / "large.txt").string()));
    auto* progress = form->findChild<QProgressBar*>("pgbState");
    click("btnAction");
    while (form->isRunning() && progress->value() < 30) {
        settle(5);
    }
    shot("progress", 20);
    waitForRun();
    if (form->lastPreview()) {
        form->lastPreview()->close();
    }

    LoginWindow* login = window.loginWindow();
    login->findChild<QLineEdit*>("edtUser")->setText("TRELM");
    login->findChild<QLineEdit*>("edtPassword")->setText(LoginWindow::kPassword);
    login->show();
    shot("login");
    login->hide();
    login->clearFields();

    // The same file again: the repeat guard asks, and is answered No; then Yes, for the detail report.
    int asked = 0;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || box->objectName() != QLatin1String("msgConvertAgain")) {
            return;
        }
        answer.stop();
        if (++asked == 1) {
            shot("repeat-question");
        }
        box->button(asked == 1 ? QMessageBox::No : QMessageBox::Yes)->click();
        answer.start(50);
    });
    answer.start(50);
    form->findChild<QCheckBox*>("CheckBox1")->setChecked(true);
    click("btnAction");
    waitForRun();
    if (asked != 1) {
        std::fprintf(stderr, "the repeat guard did not ask\n");
        return 1;
    }

    // The detail report of the large file, turned to a page typed in near its end.
    click("btnAction");
    waitForRun();
    if (ReportPreview* preview = form->lastPreview()) {
        settle(500);
        auto* page = preview->findChild<QLineEdit*>("pageEdit");
        page->setText(QString::number(preview->pageCount() - 1234));
        emit page->returnPressed();
        settle(500);
        shot("report-preview");
        preview->close();
    } else {
        std::fprintf(stderr, "no report preview opened\n");
        return 1;
    }

    window.findChild<QAction*>(QStringLiteral("actRunHistory"))->trigger();
    shot("run-history", 500);
    return 0;
}

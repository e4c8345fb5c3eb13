// Saves pictures of the bank and branch windows, grid and detail pages, over a copy of the seed
// tables: convertor-shots-maint OUTPUT_DIR [DATABASE].
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextStream>

#include "maintenance/BankWindow.h"
#include "maintenance/BranchWindow.h"
#include "maintenance/MaintenanceForm.h"
#include "maintenance/TableConnection.h"

using namespace convertor;

namespace {

bool save(QWidget* window, const QDir& dir, const QString& name) {
    // Until the window has settled: its grid sizes its columns once the window has its size.
    QElapsedTimer settling;
    settling.start();
    while (settling.elapsed() < 300) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    const QString file = dir.filePath(name);
    if (!window->grab().save(file)) {
        QTextStream(stderr) << "cannot write " << file << "\n";
        return false;
    }
    QTextStream(stdout) << file << "\n";
    return true;
}

void press(QWidget* window, const char* button) {
    window->findChild<QPushButton*>(QString::fromLatin1(button))->click();
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() < 2) {
        QTextStream(stderr) << "usage: convertor-shots-maint OUTPUT_DIR [DATABASE]\n";
        return 64;
    }
    QDir out(args.at(1));
    out.mkpath(QStringLiteral("."));
    QTemporaryDir work;
    const QString database = work.filePath(QStringLiteral("zvb.db"));
    QFile::copy(args.size() > 2 ? args.at(2) : QStringLiteral(SEED_DATABASE), database);
    QString error;
    if (!openTableConnection(database, &error)) {
        QTextStream(stderr) << error << "\n";
        return 1;
    }

    bool ok = true;
    auto* bank = new BankWindow;
    bank->resize(1000, 600);
    bank->show();
    ok &= save(bank, out, QStringLiteral("bank-grid.png"));
    press(bank, "bEdit");
    ok &= save(bank, out, QStringLiteral("bank-detail.png"));
    press(bank, "bCancel");
    press(bank, "bNew");
    press(bank, "bSave");  // the message for the missing fields
    ok &= save(bank, out, QStringLiteral("bank-detail-message.png"));
    press(bank, "bCancel");

    // The branches of the bank itself.
    QTableView* grid = bank->form()->grid();
    for (int row = 0; row < grid->model()->rowCount(); ++row) {
        if (grid->model()->index(row, 0).data().toString() == QLatin1String("014")) {
            grid->setCurrentIndex(grid->model()->index(row, 0));
        }
    }
    const int row = grid->currentIndex().row();
    auto* shown = new BranchWindow(grid->model()->index(row, 0).data().toString(),
                                   grid->model()->index(row, 1).data().toString(),
                                   grid->model()->index(row, 2).data().toString());
    shown->show();
    ok &= save(shown, out, QStringLiteral("branch-grid.png"));
    press(shown, "bEdit");
    ok &= save(shown, out, QStringLiteral("branch-detail.png"));
    press(shown, "bCancel");
    delete shown;
    delete bank;
    return ok ? 0 : 1;
}

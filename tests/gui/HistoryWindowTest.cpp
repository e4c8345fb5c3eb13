#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTimer>
#include <QtTest>

#include "GuiTestSupport.h"
#include "app/MainWindow.h"
#include "convert/RunHistory.h"
#include "history/HistoryDetail.h"
#include "history/HistoryWindow.h"
#include "maintenance/TableConnection.h"
#include "refdata/Schema.h"
#include "refdata/TableStore.h"

using convertor::HistoryWindow;
using convertor::test::child;
namespace h = convertor::schema::runHistory;

// Rows of CSV text (lines ending CR LF), fields unquoted.
QList<QStringList> parseCsv(const QString& text) {
    static const QRegularExpression field(R"re(("(?:[^"]|"")*"|[^,"\r\n]*)(,|\r\n))re");
    QList<QStringList> rows{{}};
    for (auto match = field.globalMatch(text); match.hasNext();) {
        const auto found = match.next();
        QString value = found.captured(1);
        if (value.startsWith('"')) {
            value = value.mid(1, value.size() - 2).replace(QStringLiteral("\"\""), QStringLiteral("\""));
        }
        rows.last() << value;
        if (found.captured(2) == QStringLiteral("\r\n")) {
            rows << QStringList();
        }
    }
    rows.removeLast();
    return rows;
}

class HistoryWindowTest : public QObject {
    Q_OBJECT

public slots:
    void openedUrl(const QUrl& url) { m_opened << url; }

private slots:
    void init();
    void cleanup();
    void menuOpensOneWindowWithNamedControlsAndADetailPage();
    void gridIsNewestFirstAndFilters_data();
    void gridIsNewestFirstAndFilters();
    void csvExportHoldsTheTable();
    void openFolderGoesThroughTheDesktop();
    void openWindowLeavesTheFileFreeForTheNextRow();

private:
    void addRun(const char* started, const char* product, const char* company, const std::string& source,
                const std::string& message = {}) {
        convertor::HistoryRecord run;
        run.started = started;
        run.ended = started;
        run.product = product;
        run.companyId = company;
        run.sourcePath = source;
        run.sourceSize = 600;
        run.sourceSha1 = std::string(40, 'A');
        run.destination = m_home->out("bank.txt").string();
        run.outcome = h::kCompleted;
        run.message = message;
        run.accepted = 4;
        run.rejected = {1, 1, 0, 0};
        run.totalAmount = "0000000015231250";
        run.hashValue = std::string(40, 'B');
        convertor::TableStore tables(m_home->database());
        convertor::addHistoryRecord(tables, run);
    }
    HistoryWindow* open() {
        m_main->findChild<QAction*>("actRunHistory")->trigger();
        return m_main->historyWindow();
    }
    // The Id column of the grid's rows, in order.
    QList<int> ids(HistoryWindow* window) const {
        QList<int> found;
        for (int row = 0; row < window->model()->rowCount(); ++row) {
            found << window->model()->record(row).value(h::kId).toInt();
        }
        return found;
    }

    std::unique_ptr<convertor::test::TestHome> m_home;
    std::unique_ptr<convertor::MainWindow> m_main;
    QList<QUrl> m_opened;
};

void HistoryWindowTest::init() {
    m_home = std::make_unique<convertor::test::TestHome>();
    addRun("2030-01-01 09:00:00", "DCP", "ACME01", "/data/in/january.txt");
    addRun("2030-01-02 10:00:00", "MCL", "ACME01", "/data/in/media.txt", "Line, \"quoted\"\r\nand more");
    addRun("2030-01-03 11:00:00", "DCP", "BETA02", "/data/ข้อมูล/เงินเดือน มีนาคม.txt");
    addRun("2030-01-03 11:00:00", "PAY", "BETA02", "/data/in/payroll.txt");
    m_main = std::make_unique<convertor::MainWindow>(m_home->home());
    m_main->resize(1100, 700);
    m_main->show();
}

void HistoryWindowTest::cleanup() {
    m_main.reset();
    m_home.reset();
}

void HistoryWindowTest::menuOpensOneWindowWithNamedControlsAndADetailPage() {
    HistoryWindow* window = open();
    QVERIFY(window);
    QCOMPARE(open(), window);
    QCOMPARE(m_main->frame()->findChildren<HistoryWindow*>().size(), 1);
    QCOMPARE(m_main->frame()->activeSubWindow()->widget(), window);
    int controls = 0;
    QCOMPARE(convertor::test::namelessControls(window, &controls), QStringList());
    QVERIFY(controls >= 6);
    window->grid()->selectRow(1);
    child<QPushButton>(window, "btnDetails")->click();
    QVERIFY(window->showingDetail());
    const QSqlRecord run = window->model()->record(1);
    for (const char* column : h::columns()) {
        QLineEdit* field = window->detail()->field(column);
        QVERIFY2(field && field->isVisibleTo(window) && field->isReadOnly(), column);
        QCOMPARE(field->text(), run.value(column).toString());
    }
    QCOMPARE(window->detail()->field(h::kSourcePath)->text(), QString("/data/ข้อมูล/เงินเดือน มีนาคม.txt"));
    QCOMPARE(window->detail()->field(h::kRejectedInvalidAcct)->text(), QString("1"));
    QCOMPARE(convertor::test::namelessControls(window, &controls), QStringList());
    QVERIFY(controls >= static_cast<int>(h::columns().size()));
    child<QPushButton>(window, "btnBack")->click();
    QVERIFY(!window->showingDetail());
    // Closed, it is gone; the menu makes a new one.
    QPointer<HistoryWindow> first = window;
    qobject_cast<QMdiSubWindow*>(window->parentWidget())->close();
    QTRY_VERIFY(!first);
    QVERIFY(open());
}

void HistoryWindowTest::gridIsNewestFirstAndFilters_data() {
    QTest::addColumn<QString>("company");
    QTest::addColumn<QString>("product");
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QDate>("to");
    QTest::addColumn<QList<int>>("shown");
    const QString all;
    const QDate any;
    const QDate second(2030, 1, 2);
    QTest::newRow("none") << all << all << any << any << QList<int>{4, 3, 2, 1};
    QTest::newRow("company") << QString("BETA02") << all << any << any << QList<int>{4, 3};
    QTest::newRow("product") << all << QString("DCP") << any << any << QList<int>{3, 1};
    QTest::newRow("from") << all << all << second << any << QList<int>{4, 3, 2};
    QTest::newRow("to") << all << all << any << second << QList<int>{2, 1};
    QTest::newRow("one day") << all << all << second << second << QList<int>{2};
    QTest::newRow("company and product")
        << QString("ACME01") << QString("MCL") << any << any << QList<int>{2};
    QTest::newRow("nothing matches") << QString("ACME01") << QString("PAY") << any << any << QList<int>{};
}

void HistoryWindowTest::gridIsNewestFirstAndFilters() {
    QFETCH(QString, company);
    QFETCH(QString, product);
    QFETCH(QDate, from);
    QFETCH(QDate, to);
    QFETCH(QList<int>, shown);
    HistoryWindow* window = open();
    auto* companies = child<QComboBox>(window, "cboCompany");
    QCOMPARE(companies->count(), 3);
    companies->setCurrentIndex(std::max(0, companies->findData(company)));
    auto* products = child<QComboBox>(window, "cboProduct");
    products->setCurrentIndex(std::max(0, products->findData(product)));
    if (from.isValid()) {
        child<QDateEdit>(window, "dteFrom")->setDate(from);
    }
    if (to.isValid()) {
        child<QDateEdit>(window, "dteTo")->setDate(to);
    }
    QCOMPARE(ids(window), shown);
    child<QPushButton>(window, "btnClearFilters")->click();
    QCOMPARE(ids(window), (QList<int>{4, 3, 2, 1}));

    // The grid's columns; the source as its file name, typed in Thai with a blank.
    QStringList headers;
    QTableView* grid = window->grid();
    for (int column = 0; column < grid->model()->columnCount(); ++column) {
        if (!grid->isColumnHidden(column)) {
            headers << grid->model()->headerData(column, Qt::Horizontal).toString();
        }
    }
    QCOMPARE(headers, (QStringList{"Date and Time", "Product", "Company", "Source File", "Outcome",
                                   "Accepted", "Rejected", "Total", "Hash Value"}));
    const QModelIndex source = grid->model()->index(1, convertor::HistoryModel::column(h::kSourcePath));
    auto* delegate = qobject_cast<QStyledItemDelegate*>(grid->itemDelegateForColumn(source.column()));
    QVERIFY(delegate);
    QCOMPARE(delegate->displayText(source.data(), QLocale()), QString("เงินเดือน มีนาคม.txt"));
}

void HistoryWindowTest::csvExportHoldsTheTable() {
    HistoryWindow* window = open();
    const QString file = QString::fromStdString(m_home->out("runs").string());
    QTimer::singleShot(0, window, [&] {
        auto* dialog = window->findChild<QFileDialog*>("dlgExportCsv");
        QVERIFY(dialog);
        dialog->selectFile(file);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    child<QPushButton>(window, "btnExportCsv")->click();
    QFile written(file + ".csv");
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QList<QStringList> rows = parseCsv(QString::fromUtf8(written.readAll()));

    QSqlQuery table(QSqlDatabase::database(convertor::kTableConnection));
    QVERIFY(table.exec("SELECT * FROM RunHistory ORDER BY Started DESC, Id DESC"));
    QStringList header;
    for (int column = 0; column < table.record().count(); ++column) {
        header << table.record().fieldName(column);
    }
    QList<QStringList> expected{header};
    while (table.next()) {
        QStringList fields;
        for (int column = 0; column < table.record().count(); ++column) {
            fields << table.value(column).toString();
        }
        expected << fields;
    }
    QCOMPARE(rows, expected);
    QCOMPARE(rows.at(3).at(header.indexOf(h::kMessage)), QString("Line, \"quoted\"\r\nand more"));
}

void HistoryWindowTest::openFolderGoesThroughTheDesktop() {
    convertor::test::MessageRecorder recorder;
    QDesktopServices::setUrlHandler("file", this, "openedUrl");
    HistoryWindow* window = open();
    window->grid()->selectRow(0);
    child<QPushButton>(window, "btnOpenFolder")->click();
    QCOMPARE(m_opened, QList<QUrl>{QUrl::fromLocalFile(QString::fromStdString(m_home->out("").string()))
                                       .adjusted(QUrl::StripTrailingSlash)});
    // A folder gone since the run: told, nothing opened.
    std::filesystem::remove_all(m_home->out(""));
    window->showDetail();
    child<QPushButton>(window, "btnDetailOpenFolder")->click();
    QCOMPARE(m_opened.size(), 1);
    QCOMPARE(recorder.icons, QList<QMessageBox::Icon>{QMessageBox::Warning});
    QDesktopServices::unsetUrlHandler("file");
}

// The grid holds more rows than a model reads at first; a statement left part-read would keep the
// file locked, and the next run's row would wait for it and be lost.
void HistoryWindowTest::openWindowLeavesTheFileFreeForTheNextRow() {
    QSqlQuery many(QSqlDatabase::database(convertor::kTableConnection));
    QVERIFY(
        many.exec("INSERT INTO RunHistory (Started, Ended, Product, Outcome) WITH RECURSIVE n(i) AS "
                  "(SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 600) "
                  "SELECT '2029-12-31 08:00:00', '2029-12-31 08:00:00', 'DCP', 'completed' FROM n"));
    HistoryWindow* window = open();
    QElapsedTimer clock;
    clock.start();
    addRun("2030-01-04 12:00:00", "MCP", "ACME01", "/data/in/cheques.txt");
    QVERIFY2(clock.elapsed() < 2000, "the row waited for the window's read");
    QCOMPARE(window->model()->rowCount(), 604);
    window->reload();
    QCOMPARE(window->model()->rowCount(), 605);
    QCOMPARE(window->model()->record(0).value(h::kProduct).toString(), QString("MCP"));
}

QTEST_MAIN(HistoryWindowTest)
#include "HistoryWindowTest.moc"

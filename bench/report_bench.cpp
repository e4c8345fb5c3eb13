// The paged report path of one detail report: its rows written to working tables as a run writes
// them, then timed from the copy the run hands over to the first page, the last page, any page and
// the whole PDF, with the peak memory before and after the hand-over. One line of figures.
// report_bench TEMPLATE_DIR SEED_DB OUT_DIR DCP|MCL|MCP ROWS [--no-pdf]
#include <QDate>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "refdata/Schema.h"
#include "refdata/TableStore.h"
#include "report/PageJob.h"
#include "report/PageSource.h"
#include "reports/ReportCopy.h"
#include "reports/ReportEngine.h"
#include "reports/ReportQueries.h"
#include "reports/ReportValue.h"
#include "text/CodePage.h"

namespace fs = std::filesystem;
using namespace convertor;

namespace {

double seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// The process's peak resident memory in MiB, and a fresh start of it.
double peakMiB() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::stod(line.substr(6)) / 1024;
        }
    }
    return 0;
}

void resetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

// The names as a run writes them to the working tables: in code page 874.
std::string name(long long i) {
    static const char* const names[] = {"สมชาย ใจดี", "สมหญิง รักไทย", "วิชัย ศรีสุข", "JOHN SMITH TRADING",
                                        "กนกวรรณ แสงทอง"};
    return fromUtf8(names[i % 5]).value_or(std::string());
}

std::string padded(long long number, int width) {
    std::string text = std::to_string(number);
    return std::string(static_cast<std::size_t>(std::max(0, width - static_cast<int>(text.size()))), '0') +
           text;
}

void rejections(TableStore& tables, long long rows) {
    using namespace schema::rejection;
    for (long long i = 0; i < rows / 100; ++i) {
        tables.appendRow(kTable, {{kLineNo, std::to_string(i * 100 + 2)},
                                  {kFieldName, std::string("Amount")},
                                  {kColumnNo, std::string("  Column : 14-25")},
                                  {kDescription, std::string("  Amount is zero")}});
    }
}

// The working tables of a run of that many lines, and the report the run would show over them.
ReportValue fill(TableStore& tables, const std::string& product, long long rows) {
    std::mt19937 random(874);
    ReportValue report;
    report.variables = {
        {"HashCode", std::string(40, 'A')}, {"ComId", "BENCH1"},         {"PayType", product},
        {"ComName", "บริษัท ทดสอบ จำกัด"},     {"ValueDate", "01/03/2025"}, {"Acct", "1234567890"},
        {"AcctFee", "1234567890"}};
    report.printedOn = Date{2025, 3, 5};
    tables.beginRun();
    if (product == "DCP") {
        using namespace schema::dcpDetail;
        for (long long i = 0; i < rows; ++i) {
            tables.appendRow(kTable, {{kAccountNo, padded(1000000000 + i, 10) + std::string(15, ' ')},
                                      {kAmount, 100.0 + static_cast<double>(random() % 100000) / 4},
                                      {kName, name(i) + std::string(30, ' ')}});
        }
        rejections(tables, rows);
        report.templateName = "rptDcpDetail.frf";
        report.datasets = {
            queryDataset(tables, schema::dataset::kDcpDetail, selectAll(kTable)),
            queryDataset(tables, schema::dataset::kRejections, selectAll(schema::rejection::kTable))};
    } else if (product == "MCL") {
        using namespace schema::mclDetail;
        const char* services[] = {"(01)Salary, wages, gratuity or retirement", "(59)Others", ""};
        for (long long i = 0; i < rows; ++i) {
            tables.appendRow(kTable, {{kAccount, padded(2000000000 + i, 10)},
                                      {kBankCode, padded(2 + i % 200, 3)},
                                      {kBranchCode, padded(100 + i % 700, 4)},
                                      {kAmount, 250.75 + static_cast<double>(random() % 100000)},
                                      {kServiceType, std::string(services[i % 3])},
                                      {kName, name(i)}});
        }
        rejections(tables, rows);
        report.templateName = "rptMclDetail.frf";
        report.datasets = {
            queryDataset(tables, schema::dataset::kRejections, selectAll(schema::rejection::kTable)),
            queryDataset(tables, schema::dataset::kMclDetail, selectAll(kTable))};
    } else {
        for (long long i = 0; i < rows; ++i) {
            const std::string id = padded(i + 1, 6);
            {
                using namespace schema::mcpDetail;
                tables.appendRow(kTable, {{kId, id},
                                          {kName, name(i)},
                                          {kChequeAmount, 10700.0},
                                          {kWhtAmount, 300.0},
                                          {kVatAmount, 700.0},
                                          {kInvoiceAmount, 10000.0},
                                          {kRefNo, "REF-" + id},
                                          {kTaxId, "0105500001"},
                                          {kTaxAttach, "00001"},
                                          {kTaxRun, "00000000000001"},
                                          {kTaxDate, "05/03/2025"},
                                          {kTaxPaid, "1"},
                                          {kTaxForm, "03"}});
            }
            // As the benchmark's input: one tax item and three, in turn, and two invoices.
            for (int t = 0; t < (i % 2 == 0 ? 1 : 3); ++t) {
                using namespace schema::whtDetail;
                tables.appendRow(kTable, {{kCreditId, id},
                                          {kWhtId, padded(t + 1, 2)},
                                          {kIncomeAmount, 10000.0},
                                          {kWhtAmount, 300.0},
                                          {kIncomeType, "2"},
                                          {kIncomeDescription, "SERVICE FEES"},
                                          {kRate, "03"}});
            }
            for (int v = 0; v < 2; ++v) {
                using namespace schema::invoiceDetail;
                tables.appendRow(kTable, {{kCreditId, id},
                                          {kInvoiceId, padded(v + 1, 6)},
                                          {kInvoiceNo, "INV-" + id},
                                          {kInvoiceAmount, 5000.0},
                                          {kInvoiceDate, "01/03/2025"},
                                          {kPoNo, "PO-" + id},
                                          {kVatAmount, 350.0},
                                          {kChargeAmount, 0.0},
                                          {kWhtAmount, 150.0}});
            }
        }
        report.templateName = "rptMcpDetail.frf";
        report.datasets = {
            queryDataset(tables, schema::dataset::kCheques, selectAll(schema::mcpDetail::kTable)),
            queryDataset(tables, schema::dataset::kChequeTaxes, withholdingTaxQuery()),
            queryDataset(tables, schema::dataset::kChequeInvoices, invoiceQuery())};
        report.children = chequeChildLinks();
    }
    tables.endRun();
    return report;
}

// A page as the preview paints it on screen, at 100 %.
void paintOnScreen(PageSource& pages, int page) {
    const QSizeF paper = PageSource::pageLayout().fullRect(QPageLayout::Inch).size() * PageSource::kLayoutDpi;
    QImage image(paper.toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.translate(PageSource::pageLayout().paintRect(QPageLayout::Inch).topLeft() *
                      PageSource::kLayoutDpi);
    pages.paint(painter, page);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    if (argc < 6) {
        std::fprintf(stderr,
                     "usage: report_bench TEMPLATE_DIR SEED_DB OUT_DIR DCP|MCL|MCP ROWS [--no-pdf]\n");
        return 64;
    }
    const fs::path out = argv[3];
    const std::string product = argv[4];
    const long long rows = std::stoll(argv[5]);
    const bool pdf = !(argc > 6 && std::string(argv[6]) == "--no-pdf");
    const fs::path database = out / ("report_bench_" + product + ".db");
    fs::copy_file(argv[2], database, fs::copy_options::overwrite_existing);

    double copySeconds = 0, copyPeak = 0, first = 0, last = 0, any = 0, pdfSeconds = 0, windowPeak = 0;
    int pageCount = 0;
    {
        TableStore tables(database);
        const ReportValue report = fill(tables, product, rows);

        // The run's thread: the rows copied for the window.
        resetPeak();
        auto start = std::chrono::steady_clock::now();
        const ReportValue handed = ReportCopy::make(report, fs::temp_directory_path())->report();
        copySeconds = seconds(start);
        copyPeak = peakMiB();

        // The window's thread, from the hand-over on.
        resetPeak();
        start = std::chrono::steady_clock::now();
        ReportEngine engine;
        engine.load(fs::path(argv[1]) / handed.templateName);
        const auto pages = PageSource::ofReport(handed, engine, QDate(2025, 3, 5));
        pageCount = pages->pageCount();
        paintOnScreen(*pages, 0);
        first = seconds(start);
        start = std::chrono::steady_clock::now();
        paintOnScreen(*pages, pageCount - 1);
        last = seconds(start);
        std::mt19937 random(20);
        for (int i = 0; i < 20; ++i) {
            start = std::chrono::steady_clock::now();
            paintOnScreen(*pages, static_cast<int>(random() % static_cast<unsigned>(pageCount)));
            any = std::max(any, seconds(start));
        }
        if (pdf) {
            start = std::chrono::steady_clock::now();
            const std::atomic_bool never{false};
            const auto own = pages->clone();
            const QString error =
                PageJob::writePdf(*own, QString::fromStdString((out / "report_bench.pdf").string()), never);
            pdfSeconds = seconds(start);
            if (!error.isEmpty()) {
                std::fprintf(stderr, "%s\n", qPrintable(error));
                return 1;
            }
        }
        windowPeak = peakMiB();
    }
    fs::remove(database);
    std::printf("%s %lld %d %.2f %.1f %.3f %.3f %.3f %s %.1f\n", product.c_str(), rows, pageCount,
                copySeconds, copyPeak, first, last, any,
                pdf ? std::to_string(pdfSeconds).substr(0, 6).c_str() : "-", windowPeak);
    return 0;
}

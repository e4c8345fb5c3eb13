// Renders a 10,000-line Direct Credit detail report to HTML and to PDF and prints the timings.
// report_bench TEMPLATE_DIR OUT_DIR [ROWS]
#include <QDate>
#include <QGuiApplication>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

#include "report/ReportDocument.h"
#include "reports/ReportEngine.h"
#include "reports/ReportValue.h"

namespace {

convertor::ReportValue detailReport(int rows) {
    static const char* names[] = {"สมชาย ใจดี", "สมหญิง รักไทย", "วิชัย ศรีสุข", "John Smith", "กนกวรรณ แสงทอง"};
    convertor::ReportValue report;
    report.templateName = "rptDcpDetail.frf";
    report.variables = {{"HashCode", std::string(40, 'A')}, {"ComId", "BENCH1"},
                        {"PayType", "Direct Credit"},       {"ComName", "บริษัท ทดสอบ จำกัด"},
                        {"ValueDate", "01/03/2025"},        {"Acct", "1234567890"},
                        {"AcctFee", "1234567890"}};
    convertor::ReportDataset lines{"frDBDataSet1", {"AcNo", "Amount", "Name"}, {}};
    for (int i = 0; i < rows; ++i) {
        char account[32];
        std::snprintf(account, sizeof account, "%010d               ", 1000000000 + i);
        lines.rows.push_back({std::string(account), 100.0 + i * 0.25, std::string(names[i % 5])});
    }
    convertor::ReportDataset errors{"frDBDataSet2", {"LnNo", "FieldName", "ColNo", "DesErr"}, {}};
    for (int i = 0; i < rows / 100; ++i) {
        errors.rows.push_back({std::to_string(i * 100 + 2), std::string("Amount"),
                               std::string("  Column : 14-25"), std::string("  Amount is zero")});
    }
    report.datasets = {lines, errors};
    return report;
}

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: report_bench TEMPLATE_DIR OUT_DIR [ROWS]\n");
        return 64;
    }
    const int rows = argc > 3 ? std::stoi(argv[3]) : 10000;
    const std::string outDir = argv[2];
    const convertor::ReportValue report = detailReport(rows);

    auto start = std::chrono::steady_clock::now();
    const std::string html = convertor::renderReportFile(report, argv[1], convertor::Date{2025, 3, 5});
    const double htmlSeconds = secondsSince(start);
    std::ofstream(outDir + "/report_bench.html", std::ios::binary) << html;

    start = std::chrono::steady_clock::now();
    convertor::ReportDocument document;
    document.setPrintedDate(QDate(2025, 3, 5));
    document.setHtml(QString::fromStdString(html));
    const bool saved = document.savePdf(QString::fromStdString(outDir + "/report_bench.pdf"));
    const double pdfSeconds = secondsSince(start);

    std::printf("rows %d: HTML %.3f s (%zu bytes), PDF %.3f s%s\n", rows, htmlSeconds, html.size(),
                pdfSeconds, saved ? "" : " (failed)");
    return saved ? 0 : 1;
}

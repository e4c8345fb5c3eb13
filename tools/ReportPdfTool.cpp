// convertor-report-pdf REPORT.json OUT.pdf --templates DIR [--date YYYY-MM-DD] [--html OUT.html]
#include <QDate>
#include <QFile>
#include <QGuiApplication>

#include <atomic>
#include <cstdio>
#include <exception>

#include "report/PageJob.h"
#include "report/PageSource.h"
#include "reports/ReportEngine.h"
#include "reports/ReportJsonReader.h"
#include "reports/ReportValue.h"

namespace {

int usage() {
    std::fprintf(stderr,
                 "usage: convertor-report-pdf REPORT.json OUT.pdf --templates DIR [--date YYYY-MM-DD] "
                 "[--html OUT.html]\n");
    return 64;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    QStringList positional;
    QString templates;
    QString htmlFile;
    QDate date = QDate::currentDate();
    for (int i = 1; i < args.size(); ++i) {
        const QString& arg = args[i];
        if ((arg == "--templates" || arg == "--date" || arg == "--html") && i + 1 < args.size()) {
            const QString& value = args[++i];
            if (arg == "--templates") {
                templates = value;
            } else if (arg == "--html") {
                htmlFile = value;
            } else {
                date = QDate::fromString(value, Qt::ISODate);
            }
        } else if (arg.startsWith("--")) {
            return usage();
        } else {
            positional << arg;
        }
    }
    if (positional.size() != 2 || templates.isEmpty() || !date.isValid()) {
        return usage();
    }
    try {
        convertor::ReportValue report = convertor::readReportJson(positional[0].toStdString());
        report.printedOn = convertor::Date{date.year(), date.month(), date.day()};
        convertor::ReportEngine engine;
        engine.load(templates.toStdString() + "/" + report.templateName);
        if (!htmlFile.isEmpty()) {
            const std::string html = engine.render(report);
            QFile out(htmlFile);
            if (!out.open(QIODevice::WriteOnly) || out.write(html.data(), qint64(html.size())) < 0) {
                std::fprintf(stderr, "error: cannot write %s\n", qPrintable(htmlFile));
                return 2;
            }
        }
        const auto pages =
            convertor::PageSource::ofReport(convertor::PageSource::withCopy(report), engine, date);
        const std::atomic_bool never{false};
        const QString error = convertor::PageJob::writePdf(*pages, positional[1], never);
        if (!error.isEmpty()) {
            std::fprintf(stderr, "error: %s\n", qPrintable(error));
            return 2;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "error: %s\n", e.what());
        return 2;
    }
    return 0;
}

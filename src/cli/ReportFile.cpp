#include "ReportFile.h"

#include <fstream>
#include <stdexcept>

#include "reports/ReportEngine.h"
#include "reports/ReportJson.h"
#include "reports/ReportValue.h"

namespace convertor::cli {

namespace {

bool endsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

}  // namespace

std::optional<ReportFormat> reportFormat(const std::string& file) {
    if (endsWith(file, ".json")) {
        return ReportFormat::Json;
    }
    if (endsWith(file, ".html")) {
        return ReportFormat::Html;
    }
    return std::nullopt;
}

void writeReport(const ReportValue& report, ReportFormat format, const std::filesystem::path& reportDir,
                 std::ostream& out) {
    if (format == ReportFormat::Json) {
        writeReportJson(report, out);
    } else {
        writeReportHtml(report, reportDir, out);
    }
}

void writeReportFile(const ReportValue& report, const std::filesystem::path& file,
                     const std::filesystem::path& reportDir) {
    // Written beside the file and renamed over it when complete: a run that fails while the rows
    // are read leaves no half report under the name asked for.
    std::filesystem::path partial = file;
    partial += ".part";
    try {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        writeReport(report, reportFormat(file.string()).value_or(ReportFormat::Html), reportDir, out);
        out.close();
        if (!out) {
            throw std::runtime_error("Cannot write report file " + file.string());
        }
        std::filesystem::rename(partial, file);
    } catch (...) {
        std::error_code ignored;
        std::filesystem::remove(partial, ignored);
        throw;
    }
}

}  // namespace convertor::cli

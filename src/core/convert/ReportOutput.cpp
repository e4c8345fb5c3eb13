#include "convert/ReportOutput.h"

#include <cerrno>
#include <cstring>
#include <fstream>

#include "base/ConversionError.h"
#include "base/Operator.h"
#include "reports/ReportEngine.h"
#include "reports/ReportJson.h"
#include "reports/ReportValue.h"

namespace fs = std::filesystem;

namespace convertor {

void writeReportOutput(const ReportValue& report, const fs::path& file, const fs::path& work,
                       const fs::path& reportDir, Operator& op) {
    const fs::path templateFile = reportDir / report.templateName;
    std::error_code error;
    if (!fs::exists(templateFile, error)) {
        op.warn("report template " + templateFile.string() + " is missing");
    } else if (!fs::is_regular_file(templateFile, error) || !std::ifstream(templateFile)) {
        op.warn("report template " + templateFile.string() + " cannot be read");
    }
    std::ofstream out(work, std::ios::binary | std::ios::trunc);
    if (!out) {
        throw IoError("Cannot write report file " + file.string() + ": " + std::strerror(errno));
    }
    if (file.extension() == ".json") {
        writeReportJson(report, out);
    } else {
        writeReportHtml(report, reportDir, out);
    }
    out.close();
    if (!out) {
        throw IoError("Cannot write report file " + file.string());
    }
}

}  // namespace convertor

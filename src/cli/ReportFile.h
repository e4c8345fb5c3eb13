#pragma once

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>

namespace convertor {
struct ReportValue;
}

namespace convertor::cli {

enum class ReportFormat { Json, Html };

std::optional<ReportFormat> reportFormat(const std::string& file);

// Writes the report as JSON or as HTML rendered from its template in reportDir.
void writeReport(const ReportValue& report, ReportFormat format, const std::filesystem::path& reportDir,
                 std::ostream& out);

// Writes the report as JSON or rendered HTML, by the file's extension. Throws on failure.
void writeReportFile(const ReportValue& report, const std::filesystem::path& file,
                     const std::filesystem::path& reportDir);

}  // namespace convertor::cli

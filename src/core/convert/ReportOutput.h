#pragma once

#include <filesystem>

namespace convertor {

struct ReportValue;
class Operator;

// Writes the report the run ends with into its work file as the report file's name asks: JSON for
// *.json, else HTML from the report's template in reportDir. A template that is missing or cannot
// be read does not stop it (the file is written, naming the template), but the operator is warned.
// Throws IoError naming file.
void writeReportOutput(const ReportValue& report, const std::filesystem::path& file,
                       const std::filesystem::path& work, const std::filesystem::path& reportDir,
                       Operator& op);

}  // namespace convertor

#pragma once

#include <optional>
#include <string>

namespace convertor::cli {

enum class ReportFormat { Json, Html };

// The format --report asks for by the file's extension; none for another one.
std::optional<ReportFormat> reportFormat(const std::string& file);

}  // namespace convertor::cli

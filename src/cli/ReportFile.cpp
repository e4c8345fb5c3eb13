#include "ReportFile.h"

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

}  // namespace convertor::cli

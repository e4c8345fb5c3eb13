#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "products/ConversionRequest.h"

namespace convertor {

struct Date;

// The message refusing the company ID, or nothing when it may name the run's files and record 001.
std::optional<std::string> companyIdProblem(std::string_view companyId);

// The message refusing the run's files: a source, invoice or destination that is not a regular
// file, or an output of the run (bank file, its work file, rejection files, archive) that would
// overwrite an input or another output. Nothing when the files are fine.
std::optional<std::string> runFilesProblem(const ConversionRequest& request, const Date& today);

// The same file, or for files not yet there, the same place.
bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b);

}  // namespace convertor

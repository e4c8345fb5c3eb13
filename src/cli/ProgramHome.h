#pragma once

#include <filesystem>
#include <string>

namespace convertor::cli {

// The directory that stands for the program's: the --home option when given, else the directory of
// the executable.
std::filesystem::path programHome(const std::string& homeOption);

}  // namespace convertor::cli

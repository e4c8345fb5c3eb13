#pragma once

#include <filesystem>

namespace convertor {

// The folder holding Default.ini and zvb.db for a program whose directory is home: home/Data.
std::filesystem::path dataDirectory(const std::filesystem::path& home);

}  // namespace convertor

#pragma once

#include <filesystem>

namespace convertor {

// The files a program finds in its directory home: home/Data holds Default.ini and zvb.db,
// home/Report the report templates.
std::filesystem::path dataDirectory(const std::filesystem::path& home);
std::filesystem::path settingsFile(const std::filesystem::path& home);
std::filesystem::path databaseFile(const std::filesystem::path& home);
std::filesystem::path reportDirectory(const std::filesystem::path& home);

}  // namespace convertor

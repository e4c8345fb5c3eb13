#pragma once

#include <filesystem>

namespace convertor {

// The folder holding Default.ini and zvb.db for a program whose directory is home. home/Data is
// used in place when this user may write it (the build tree, a private install); otherwise, as
// for a system-wide install, a per-user copy in userDataHome()/convertor/Data, made from home/Data
// on first use. A home/Data that does not exist is returned as it is: the first table opened
// reports it.
std::filesystem::path dataDirectory(const std::filesystem::path& home);
// Default.ini and zvb.db in that folder; the report templates stay beside the program in home/Report.
std::filesystem::path settingsFile(const std::filesystem::path& home);
std::filesystem::path databaseFile(const std::filesystem::path& home);
std::filesystem::path reportDirectory(const std::filesystem::path& home);

// The same choice with the writability of home/Data given, so tests need not drop privileges.
std::filesystem::path dataDirectory(const std::filesystem::path& home, bool deliveredWritable);

// $XDG_DATA_HOME when it is an absolute path, else ~/.local/share.
std::filesystem::path userDataHome();

}  // namespace convertor

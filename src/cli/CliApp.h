#pragma once

#include <iosfwd>

namespace convertor::cli {

enum ExitStatus { kSuccess = 0, kNoBankFile = 1, kRunError = 2, kUsage = 64 };

// Parses the command line and runs the subcommand; returns the exit status.
int runCli(int argc, char** argv);
int runCli(int argc, char** argv, std::ostream& out, std::ostream& err);

}  // namespace convertor::cli

#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace convertor {

struct ConversionRequest;
struct OutputNames;

// The message refusing the run's outputs before anything is written: a destination file name
// that cannot be the archive's entry name (a backslash, a control character, bytes that are not
// UTF-8); an output that names a file the run reads, the program itself or one of the program's
// work files; an output that is there and is not a regular file or may not be written.
// programFiles: what Session::programFiles gives.
std::optional<std::string> outputsProblem(const OutputNames& names,
                                          const std::vector<std::filesystem::path>& programFiles);

// Why the report file asked for cannot be one of the run's outputs: its folder is missing, it
// names an input or another output of the run, a file of the program or a work file, or it is
// there and is not a regular file or may not be written. Empty when it can.
std::string reportProblem(const ConversionRequest& request, const OutputNames& names,
                          const std::vector<std::filesystem::path>& programFiles);

}  // namespace convertor

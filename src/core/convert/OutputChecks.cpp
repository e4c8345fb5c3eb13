#include "convert/OutputChecks.h"

#include <unistd.h>

#include "convert/InputChecks.h"
#include "output/OutputNames.h"
#include "products/ConversionRequest.h"
#include "text/CodePage.h"

namespace fs = std::filesystem;

namespace convertor {

namespace {

constexpr const char* kRetryDestination = "Please insert another destination file name and retry";

// The archive stores the bank file under its file name: an extractor that takes "\" for a
// separator, or a name that is not text, must not make of it a path or garbage.
bool entryName(const std::string& fileName) {
    for (char c : fileName) {
        auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || c == '\\') {
            return false;
        }
    }
    return isUtf8(fileName);
}

// The names the program gives its own files beside the outputs: work files, backups, journals.
bool workName(const fs::path& file) {
    return file.filename().string().rfind(".convertor-", 0) == 0;
}

bool programFile(const fs::path& file, const std::vector<fs::path>& programFiles) {
    for (const fs::path& own : programFiles) {
        if (sameFile(file, own)) {
            return true;
        }
    }
    return workName(file);
}

enum class State { Absent, Writable, ReadOnly, NotRegular };

State stateOf(const fs::path& file) {
    std::error_code error;
    fs::file_status status = fs::status(file, error);
    if (!fs::exists(status)) {
        return State::Absent;
    }
    if (!fs::is_regular_file(status)) {
        return State::NotRegular;
    }
    return ::access(file.c_str(), W_OK) == 0 ? State::Writable : State::ReadOnly;
}

}  // namespace

std::optional<std::string> outputsProblem(const OutputNames& names,
                                          const std::vector<fs::path>& programFiles) {
    if (!entryName(names.bankFile.filename().string())) {
        return std::string(
                   "Destination file name must not hold a backslash or control characters, and must be "
                   "UTF-8 text. ") +
               kRetryDestination;
    }
    if (programFile(names.bankFile, programFiles)) {
        return std::string("Destination file name must not name a file the program keeps for itself. ") +
               kRetryDestination;
    }
    if (stateOf(names.bankFile) == State::ReadOnly) {
        return std::string("Destination file name names a read-only file. ") + kRetryDestination;
    }
    std::vector<fs::path> others{names.archive};
    for (const auto& [kind, file] : names.rejectionFiles) {
        others.push_back(file);
    }
    for (const fs::path& file : others) {
        if (programFile(file, programFiles)) {
            return "The file " + file.string() + " is a file the program keeps for itself. " +
                   kRetryDestination;
        }
        State state = stateOf(file);
        if (state == State::ReadOnly || state == State::NotRegular) {
            return "The file " + file.string() +
                   (state == State::ReadOnly ? " is read-only" : " is not a regular file") +
                   ". Please move or rename it and retry";
        }
    }
    return std::nullopt;
}

std::string reportProblem(const ConversionRequest& request, const OutputNames& names,
                          const std::vector<fs::path>& programFiles) {
    const fs::path report = request.reportFile;
    fs::path folder = report.parent_path();
    std::error_code error;
    if (!folder.empty() && !fs::is_directory(folder, error)) {
        return "the folder of the report file does not exist";
    }
    std::vector<fs::path> files{request.sourceFile, request.invoiceFile, names.bankFile, names.archive};
    for (const auto& [kind, file] : names.rejectionFiles) {
        files.push_back(file);
    }
    for (const fs::path& file : files) {
        if (!file.empty() && sameFile(report, file)) {
            return "the report file must not name the source, invoice, bank, rejection or archive file";
        }
    }
    if (programFile(report, programFiles)) {
        return "the report file must not name a file the program keeps for itself";
    }
    switch (stateOf(report)) {
        case State::NotRegular:
            return "the report file is there and is not a regular file";
        case State::ReadOnly:
            return "the report file is there and is read-only";
        default:
            return {};
    }
}

}  // namespace convertor

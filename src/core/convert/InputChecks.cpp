#include "convert/InputChecks.h"

#include <filesystem>

#include "convert/RequestEntries.h"
#include "output/OutputNames.h"
#include "text/Trim.h"

namespace fs = std::filesystem;

namespace convertor {

namespace {

// The company ID names the rejection files: it must not lead them out of the destination folder.
bool safeForFileName(std::string_view companyId) {
    for (char c : companyId) {
        auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F ||
            std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos) {
            return false;
        }
    }
    return true;
}

// Existing and not a regular file (a FIFO or device would hang the run or be replaced by it).
bool specialFile(const std::string& file) {
    std::error_code error;
    fs::file_status status = fs::status(file, error);
    return fs::exists(status) && !fs::is_regular_file(status);
}

std::optional<std::string> overlapProblem(const ConversionRequest& request, const Date& today) {
    std::vector<fs::path> outputs =
        outputNames(request.destinationFile, request.companyId, *request.product, today).all();
    // The bank file comes first; the rest are named by the company ID.
    auto bankFiles = outputs.begin() + 1;
    for (const std::string& input : {request.sourceFile, request.invoiceFile}) {
        if (input.empty()) {
            continue;
        }
        for (auto output = outputs.begin(); output != outputs.end(); ++output) {
            if (!sameFile(input, *output)) {
                continue;
            }
            if (output < bankFiles) {
                return "Destination file name must not name the source or invoice file. "
                       "Please insert another destination file name and retry";
            }
            return "Source or invoice file must not be named like a rejection file or the archive of "
                   "the run. Please move or rename it and retry";
        }
    }
    for (auto output = bankFiles; output != outputs.end(); ++output) {
        if (sameFile(outputs[0], *output)) {
            return "Destination file name must not name a rejection file or the archive of the run. "
                   "Please insert another destination file name and retry";
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> companyIdProblem(std::string_view companyId) {
    if (trimView(companyId).empty()) {
        return "Please insert company id";
    }
    if (!safeForFileName(companyId)) {
        return "Company id must not contain \\ / : * ? \" < > | or control characters";
    }
    if (companyId.size() > kCompanyIdLength) {
        return "Company id must not be longer than 12 characters";
    }
    return std::nullopt;
}

bool sameFile(const fs::path& a, const fs::path& b) {
    std::error_code error;
    if (fs::exists(a, error) && fs::exists(b, error)) {
        return fs::equivalent(a, b, error);
    }
    return fs::weakly_canonical(a, error) == fs::weakly_canonical(b, error);
}

std::optional<std::string> runFilesProblem(const ConversionRequest& request, const Date& today) {
    std::error_code error;
    if (!fs::exists(request.sourceFile, error) || fs::is_directory(request.sourceFile, error)) {
        return "Source file name does not exist. Please insert valid file name and retry";
    }
    if (specialFile(request.sourceFile)) {
        return "Source file name is not a regular file. Please insert valid file name and retry";
    }
    if (!request.invoiceFile.empty() && specialFile(request.invoiceFile)) {
        return "Invoice file name is not a regular file. Please insert valid file name and retry";
    }
    if (specialFile(request.destinationFile)) {
        return "Destination file name is not a regular file. "
               "Please insert another destination file name and retry";
    }
    return overlapProblem(request, today);
}

}  // namespace convertor

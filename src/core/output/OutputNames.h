#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "bankfile/Rejection.h"
#include "base/Clock.h"
#include "base/Product.h"

namespace convertor {

// Every file a run may leave in the destination folder, named in one place.
struct OutputNames {
    std::filesystem::path bankFile;  // the destination as the operator named it
    std::filesystem::path archive;   // in the destination's folder
    std::string archiveName;         // the archive's file name, as the completion message gives it
    std::vector<std::pair<RejectionKind, std::filesystem::path>> rejectionFiles;
    std::filesystem::path report;  // the report file asked for; empty for none

    // The bank file first, then the archive, the rejection files and the report.
    std::vector<std::filesystem::path> all() const;
};

// companyId as typed (code page 874): untrimmed in the rejection files' names, trimmed in the
// archive's.
OutputNames outputNames(const std::string& destination, const std::string& companyId, Product product,
                        const Date& today, const std::string& report = {});

// The archive's file name: the date, the company ID trimmed, "_", the product code, ".zip".
std::string archiveName(const std::string& companyId, const std::string& productCode, const Date& today);

}  // namespace convertor

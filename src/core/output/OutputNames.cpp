#include "output/OutputNames.h"

#include "text/CodePage.h"
#include "text/Trim.h"

namespace convertor {

std::vector<std::filesystem::path> OutputNames::all() const {
    std::vector<std::filesystem::path> files{bankFile, archive};
    for (const auto& [kind, file] : rejectionFiles) {
        files.push_back(file);
    }
    if (!report.empty()) {
        files.push_back(report);
    }
    return files;
}

std::string archiveName(const std::string& companyId, const std::string& productCode, const Date& today) {
    return today.isoDate() + toUtf8(trimView(companyId)) + "_" + productCode + ".zip";
}

OutputNames outputNames(const std::string& destination, const std::string& companyId, Product product,
                        const Date& today, const std::string& report) {
    // The folder part up to the last separator, as typed: a bare file name writes beside it.
    std::size_t slash = destination.find_last_of('/');
    std::string folder = slash == std::string::npos ? std::string() : destination.substr(0, slash + 1);
    const std::string code = productCode(product);
    OutputNames names;
    names.bankFile = destination;
    names.archiveName = archiveName(companyId, code, today);
    names.archive = folder + names.archiveName;
    for (RejectionKind kind : rejectionKinds(product)) {
        names.rejectionFiles.emplace_back(kind, folder + rejectionFileName(companyId, code, kind));
    }
    names.report = report;
    return names;
}

}  // namespace convertor

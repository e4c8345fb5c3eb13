#include "convert/RepeatGuard.h"

#include <filesystem>
#include <system_error>

#include "convert/InputDigests.h"
#include "products/ConversionRequest.h"

namespace fs = std::filesystem;

namespace convertor {

namespace {

std::int64_t sizeOf(const std::string& file) {
    std::error_code error;
    const auto size = fs::file_size(file, error);
    return error ? -1 : static_cast<std::int64_t>(size);
}

}  // namespace

bool hasInvoiceInput(const ConversionRequest& request) {
    return request.product == Product::ManagerCheque && !request.invoiceFile.empty();
}

RepeatGuard::RepeatGuard(const ConversionRequest& request)
    : m_request(request), m_sourceSize(sizeOf(request.sourceFile)) {
    if (hasInvoiceInput(request)) {
        m_invoiceSize = sizeOf(request.invoiceFile);
    }
}

std::optional<EarlierRun> RepeatGuard::earlierRun(TableStore& tables) {
    std::vector<EarlierRun> candidates =
        completedRunsOfSize(tables, productCode(*m_request.product), m_sourceSize, m_invoiceSize);
    if (candidates.empty()) {
        return std::nullopt;
    }
    m_sourceSha1 = fileSha1(m_request.sourceFile);
    if (m_invoiceSize) {
        m_invoiceSha1 = fileSha1(m_request.invoiceFile);
    }
    for (EarlierRun& candidate : candidates) {
        if (candidate.sourceSha1 == m_sourceSha1 &&
            (!m_invoiceSize || candidate.invoiceSha1 == m_invoiceSha1)) {
            return std::move(candidate);
        }
    }
    return std::nullopt;
}

std::string repeatNotice(const EarlierRun& run) {
    return "this file was converted on " + run.started + " into " + run.destination + " (Hash Value " +
           run.hashValue + ")";
}

}  // namespace convertor

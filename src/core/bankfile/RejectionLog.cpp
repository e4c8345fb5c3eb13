#include "bankfile/RejectionLog.h"

#include "bankfile/FieldChecks.h"
#include "products/ConversionState.h"
#include "refdata/Schema.h"
#include "refdata/TableStore.h"
#include "text/CodePage.h"

namespace convertor {

const char* rejectionSuffix(RejectionKind kind) {
    switch (kind) {
        case RejectionKind::InvalidAcct:
            return "_InvalidAcctRecord.txt";
        case RejectionKind::CreditZeroAmount:
            return "_CreditZeroAmountRecord.txt";
        case RejectionKind::CreditAmountInvalid:
            return "_CreditAmountInvalidRecord.txt";
        case RejectionKind::BankBranchCode:
            return "_BankBranchCode.txt";
    }
    return "";
}

std::string rejectionFileName(const std::string& companyId, const std::string& productCode,
                              RejectionKind kind) {
    return toUtf8(companyId) + "_" + productCode + rejectionSuffix(kind);
}

void clearRejectionTable(TableStore& tables) {
    tables.clearTable(schema::DcpErr);
}

RejectionLog::RejectionLog(ConversionState& state, std::string companyId, TableStore* tables)
    : m_state(state), m_companyId(std::move(companyId)), m_tables(tables) {}

void RejectionLog::logRejection(const RejectionEntry& entry) {
    std::string lineNumber = std::to_string(entry.lineNumber);
    appendRejectionLine(m_state.destinationDirectory,
                        rejectionFileName(m_companyId, m_state.productCode, entry.kind),
                        "LineNo : " + lineNumber + entry.columnPart + entry.messagePart);
    m_state.rejectionFlags[entry.kind] = true;
    auto index = static_cast<std::size_t>(entry.kind);
    ++m_counts[index];
    m_lastLines[index] = lineNumber;
    if (m_tables != nullptr) {
        m_tables->appendRow(schema::DcpErr, {{schema::LnNo, lineNumber},
                                             {schema::FieldName, entry.fieldName},
                                             {schema::ColNo, entry.colNo},
                                             {schema::DesErr, entry.desErr}});
    }
}

RunSummary RejectionLog::runSummary() const {
    RunSummary summary;
    long total = 0;
    for (long count : m_counts) {
        total += count;
    }
    summary.items = {std::to_string(count(RejectionKind::InvalidAcct)),
                     lastLine(RejectionKind::InvalidAcct),
                     std::to_string(count(RejectionKind::CreditZeroAmount)),
                     lastLine(RejectionKind::CreditZeroAmount),
                     std::to_string(count(RejectionKind::CreditAmountInvalid)),
                     lastLine(RejectionKind::CreditAmountInvalid),
                     std::to_string(total),
                     std::to_string(count(RejectionKind::BankBranchCode))};
    return summary;
}

}  // namespace convertor

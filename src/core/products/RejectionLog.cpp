#include "products/RejectionLog.h"

#include "refdata/Schema.h"
#include "refdata/TableStore.h"

namespace convertor {

RejectionLog::RejectionLog(const RunOutputs& outputs, TableStore* rows) : m_files(outputs), m_rows(rows) {}

void RejectionLog::logRejection(const RejectionEntry& entry) {
    rejectionLine(entry, m_line);
    m_files.append(entry.kind, m_line);
    auto index = static_cast<std::size_t>(entry.kind);
    m_flags[entry.kind] = true;
    ++m_counts[index];
    m_lastLines[index] = std::to_string(entry.lineNumber);
    if (m_rows != nullptr) {
        m_rows->appendRow(schema::rejection::kTable, {{schema::rejection::kLineNo, m_lastLines[index]},
                                                      {schema::rejection::kFieldName, entry.fieldName},
                                                      {schema::rejection::kColumnNo, entry.colNo},
                                                      {schema::rejection::kDescription, entry.desErr}});
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

void clearRejectionTable(TableStore& tables) {
    tables.clearTable(schema::rejection::kTable);
}

}  // namespace convertor

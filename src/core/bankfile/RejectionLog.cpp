#include "bankfile/RejectionLog.h"

#include <unistd.h>

#include "bankfile/FieldChecks.h"
#include "bankfile/RunOutputs.h"
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

std::string rejectionRole(RejectionKind kind) {
    switch (kind) {
        case RejectionKind::InvalidAcct:
            return "InvalidAcct";
        case RejectionKind::CreditZeroAmount:
            return "CreditZeroAmount";
        case RejectionKind::CreditAmountInvalid:
            return "CreditAmountInvalid";
        case RejectionKind::BankBranchCode:
            return "BankBranchCode";
    }
    return "";
}

RejectionLog::RejectionLog(const RunOutputs& files, RejectionFlags& flags, RejectionSink* rows)
    : m_files(files), m_flags(flags), m_rows(rows) {}

RejectionLog::~RejectionLog() {
    for (const OpenFile& file : m_open) {
        if (file.fd >= 0) {
            ::close(file.fd);
        }
    }
}

void RejectionLog::logRejection(const RejectionEntry& entry) {
    std::string lineNumber = std::to_string(entry.lineNumber);
    auto index = static_cast<std::size_t>(entry.kind);
    OpenFile& file = m_open[index];
    if (file.fd < 0) {
        std::string role = rejectionRole(entry.kind);
        file.shownName = m_files.target(role);
        file.fd = openRejectionFile(m_files.work(role), file.shownName);
    }
    m_text.assign("LineNo : ");
    m_text.append(lineNumber);
    m_text.append(entry.columnPart);
    m_text.append(entry.messagePart);
    m_text.append("\r\n");
    writeRejectionText(file.fd, m_text, file.shownName);
    m_flags[entry.kind] = true;
    ++m_counts[index];
    m_lastLines[index] = lineNumber;
    if (m_rows != nullptr) {
        m_rows->addRejectionRow(lineNumber, entry);
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

#pragma once

#include <array>
#include <filesystem>
#include <string>

namespace convertor {

struct ConversionState;
class TableStore;

enum class RejectionKind { InvalidAcct, CreditZeroAmount, CreditAmountInvalid, BankBranchCode };
constexpr std::array<RejectionKind, 4> kAllRejectionKinds{
    RejectionKind::InvalidAcct, RejectionKind::CreditZeroAmount, RejectionKind::CreditAmountInvalid,
    RejectionKind::BankBranchCode};

// "_InvalidAcctRecord.txt", "_CreditZeroAmountRecord.txt", "_CreditAmountInvalidRecord.txt",
// "_BankBranchCode.txt"
const char* rejectionSuffix(RejectionKind kind);
// Company ID as typed (code page 874), "_", product code, suffix; as a file name of this platform.
std::string rejectionFileName(const std::string& companyId, const std::string& productCode,
                              RejectionKind kind);

struct RejectionFlags {
    std::array<bool, 4> raised{};
    bool& operator[](RejectionKind kind) { return raised[static_cast<int>(kind)]; }
    bool operator[](RejectionKind kind) const { return raised[static_cast<int>(kind)]; }
    void clear() { raised.fill(false); }
};

// The eight texts the result report prints, in slot order.
struct RunSummary {
    std::array<std::string, 8> items{"0", "", "0", "", "0", "", "0", "0"};
    static constexpr std::array<const char*, 8> kNames{"TotalZeroAcct", "NoZeroAcct",      "TotalZeroAm",
                                                       "NoZeroAm",      "TotalNagativeAm", "NoNagativeAm",
                                                       "TotalReject",   "TotalBNKBRN"};
};

// One refused reason of one source line. Texts are code page 874.
struct RejectionEntry {
    RejectionKind kind;
    long lineNumber;
    std::string columnPart;
    std::string messagePart;
    std::string fieldName;  // Dcp_Err values; unused by Manager Cheque
    std::string colNo;
    std::string desErr;
};

// Writes rejection lines, raises flags, tallies the run summary and, with "Print detail", adds
// Dcp_Err rows (not for Manager Cheque).
class RejectionLog {
public:
    // tables is null when no Dcp_Err rows are to be written.
    RejectionLog(ConversionState& state, std::string companyId, TableStore* tables);

    void logRejection(const RejectionEntry& entry);

    long count(RejectionKind kind) const { return m_counts[static_cast<int>(kind)]; }
    const std::string& lastLine(RejectionKind kind) const { return m_lastLines[static_cast<int>(kind)]; }
    // Slot 7 adds the counts of all four kinds.
    RunSummary runSummary() const;

private:
    ConversionState& m_state;
    std::string m_companyId;
    TableStore* m_tables;
    std::array<long, 4> m_counts{};
    std::array<std::string, 4> m_lastLines;
};

// Empties Dcp_Err at the start of the detail lines of a "Print detail" run.
void clearRejectionTable(TableStore& tables);

}  // namespace convertor

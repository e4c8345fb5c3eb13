#pragma once

#include <array>
#include <filesystem>
#include <string>

namespace convertor {

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
// The name of the kind's file among a run's outputs (RunOutputs role).
std::string rejectionRole(RejectionKind kind);

class RunOutputs;

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

// Takes the table row of each rejection of a "Print detail" run.
class RejectionSink {
public:
    virtual ~RejectionSink() = default;
    virtual void addRejectionRow(const std::string& lineNumber, const RejectionEntry& entry) = 0;
};

// Writes rejection lines, raises flags, tallies the run summary and, with "Print detail", hands
// each rejection to the sink (not for Manager Cheque).
class RejectionLog {
public:
    // files: holds a work file for each kind the run can raise (rejectionRole). rows is null when
    // no table rows are to be kept.
    RejectionLog(const RunOutputs& files, RejectionFlags& flags, RejectionSink* rows);
    ~RejectionLog();
    RejectionLog(const RejectionLog&) = delete;
    RejectionLog& operator=(const RejectionLog&) = delete;

    void logRejection(const RejectionEntry& entry);

    long count(RejectionKind kind) const { return m_counts[static_cast<int>(kind)]; }
    const std::string& lastLine(RejectionKind kind) const { return m_lastLines[static_cast<int>(kind)]; }
    // Slot 7 adds the counts of all four kinds.
    RunSummary runSummary() const;

private:
    const RunOutputs& m_files;
    RejectionFlags& m_flags;
    RejectionSink* m_rows;
    std::array<long, 4> m_counts{};
    std::array<std::string, 4> m_lastLines;
    // Each kind's work file, opened at its first line and kept open for the run; every line is
    // written through at once, so the file is complete whenever the run's outputs are committed.
    struct OpenFile {
        int fd = -1;
        std::filesystem::path shownName;
    };
    std::array<OpenFile, 4> m_open;
    std::string m_text;  // the line being written, reused
};

}  // namespace convertor

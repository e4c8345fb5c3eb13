#pragma once

#include <string>

#include "bankfile/Rejection.h"

namespace convertor {

enum class ReportKind { None, Result, DcpDetail, MclDetail, McpDetail };

// What the report that ends a run shows besides the tables (texts in code page 874). A run
// stopped with a message shows no report.
struct RunReport {
    ReportKind kind = ReportKind::None;
    std::string payType;  // the product caption
    std::string valueDate;
    std::string companyName;
    std::string debitAccount;  // Media Clearing and Manager Cheque detail reports
    // The result report only.
    std::string debitRecord;
    std::string creditRecord;
    std::string amountText;
    std::string companyCaption;
};

enum class RunOutcome {
    Stopped,      // a message ended the run: an input check, or a converter's stop at a line
    AllRejected,  // the source was converted, but no line was accepted: no bank file
    Completed,    // the bank file, its archive and the rejection files are in place
};

// What one run produced.
struct RunResult {
    RunOutcome outcome = RunOutcome::Stopped;
    std::string message;  // the message that stopped the run (UTF-8)
    std::string digest;   // the Hash Value: 40 upper-case hexadecimal digits when Completed
    RunSummary summary;
    RejectionFlags rejectionFlags;
    long acceptedCount = 0;
    std::string totalText;    // the bank file's 16-character total
    std::string archiveName;  // of a completed run
    RunReport report;
};

}  // namespace convertor

#pragma once

#include <string>
#include <vector>

#include "bankfile/DeflatedFile.h"

namespace convertor {

enum class ReportKind { None, Result, DcpDetail, MclDetail, McpDetail };

// What the report that ends a run needs (texts in code page 874). A run stopped with a message
// shows no report.
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
    // The digest of the finished bank work file; empty when the run leaves no bank file.
    std::string digest;
    // The bank work file packed for the archive, and what the check of its records found.
    DeflatedFile packed;
    std::vector<std::string> problems;
};

}  // namespace convertor

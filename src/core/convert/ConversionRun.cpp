#include "convert/ConversionRun.h"

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "bankfile/FieldChecks.h"
#include "bankfile/RejectionLog.h"
#include "bankfile/RunOutputs.h"
#include "base/ConversionError.h"
#include "convert/InputChecks.h"
#include "convert/PackOutput.h"
#include "convert/RunLock.h"
#include "products/ConversionContext.h"
#include "products/DirectCreditConverter.h"
#include "products/ManagerChequeConverter.h"
#include "products/MediaClearingConverter.h"
#include "products/RunReport.h"
#include "reports/ReportOperations.h"
#include "reports/ReportValue.h"
#include "text/LineReader.h"
#include "text/Trim.h"

namespace fs = std::filesystem;

namespace convertor {

namespace {

constexpr std::size_t kChequeLineLength = 700;

std::string directoryPart(const std::string& fileName) {
    std::size_t slash = fileName.find_last_of('/');
    return slash == std::string::npos ? std::string() : fileName.substr(0, slash + 1);
}

bool everyLineIsCheque(const std::string& file) {
    LineReader reader(file);
    std::string line;
    bool all = true;
    while (reader.next(line)) {
        all = all && line.size() == kChequeLineLength;
    }
    return all;
}

fs::path rejectionPath(const ConversionRequest& request, const ConversionState& state, RejectionKind kind) {
    return fs::path(state.destinationDirectory +
                    rejectionFileName(request.companyId, state.productCode, kind));
}

// The bank work file, checked as it was written, goes into the archive; errors name the
// destination.
void packBankFile(const ConversionRequest& request, RunOutputs& outputs, const RunReport& report) {
    if (!report.problems.empty()) {
        throw ConversionError("The bank file " + request.destinationFile + " did not pass its check (" +
                              report.problems.front() + "); nothing was written");
    }
    packOutput(report.packed, fs::path(request.destinationFile).filename().string(), outputs.work("zip"),
               outputs.target("zip"));
}

// An account entry goes into record 002 whole: the check drops the 4th character of an
// 11-character account, but the record's account-digit field takes it, so it must be a digit too.
bool debitAccountCheck(std::string_view account) {
    return accountCheck(account) && isDigits(account);
}

// Debit and fee account entries of Direct Credit and Payroll; true when they pass.
bool checkDebitAccounts(const ConversionRequest& request, Operator& op) {
    std::string_view debit = trimView(request.debitAccount);
    std::string_view fee = trimView(request.feeAccount);
    if (debit.empty()) {
        op.showMessage("Please insert debit account");
    } else if (fee.empty()) {
        op.showMessage("Please insert debit fee account");
    } else if (!debitAccountCheck(debit)) {
        op.showMessage("Invalid debit account");
    } else if (!debitAccountCheck(fee)) {
        op.showMessage("Invalid debit fee account");
    } else {
        return true;
    }
    return false;
}

// The detail report a run ends with; none for a result report.
std::optional<ReportValue> detailReport(ConversionContext& ctx, const RunReport& report,
                                        const std::string& hashCode) {
    switch (report.kind) {
        case ReportKind::DcpDetail:
            return dcpDetailReport(ctx, hashCode, report.payType, report.valueDate, report.companyName);
        case ReportKind::MclDetail:
            return mclDetailReport(ctx, hashCode, report.payType, report.valueDate, report.companyName,
                                   report.debitAccount);
        case ReportKind::McpDetail:
            return mcpDetailReport(ctx, hashCode, report.payType, report.valueDate, report.debitAccount);
        default:
            return std::nullopt;
    }
}

// The report that ends a run that was not stopped.
void showRunReport(ConversionContext& ctx, const RunReport& report) {
    if (report.kind == ReportKind::Result) {
        showResultReport(ctx, report.payType, report.debitRecord, report.creditRecord, report.amountText,
                         report.valueDate, report.companyName, report.companyCaption);
    } else if (std::optional<ReportValue> detail = detailReport(ctx, report, ctx.state.hashValue)) {
        ctx.op.showReport(std::move(*detail));
    }
}

// Hands the detail report to an operator that writes it while the bank file is finished; false
// when it is left for the end. A report that cannot be made now fails there, as it would have.
bool beginReportEarly(ConversionContext& ctx, const RunReport& report, bool digestToCome) {
    std::string placeholder = ctx.op.earlyReportPlaceholder();
    if (placeholder.empty()) {
        return false;
    }
    try {
        // Without a bank file the report shows no digest.
        std::optional<ReportValue> detail =
            detailReport(ctx, report, digestToCome ? placeholder : std::string());
        if (!detail) {
            return false;
        }
        ctx.op.beginReport(std::move(*detail));
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace

void runConversion(const ConversionRequest& request, ConversionState& state, TableStore& tables, Operator& op,
                   const Clock& clock, const fs::path& home) {
    state.lineBuffer.clear();
    state.destinationDirectory = directoryPart(request.destinationFile);
    const Date today = clock.today();  // one date for record 001, the checks, the archive and reports
    if (auto problem = companyIdProblem(request.companyId)) {
        op.showMessage(*problem);
        return;
    }
    state.rejectionFlags.clear();
    state.success = false;
    if (request.product) {
        state.productCode = productCode(*request.product);
    }
    if (!request.product || request.sourceFile.empty() || request.destinationFile.empty()) {
        op.showMessage("Please select product type or select file name before reformat data ");
        return;
    }
    if (auto problem = runFilesProblem(request, state.productCode, today)) {
        op.showMessage(*problem);
        return;
    }
    RunLock lock(state.destinationDirectory);
    if (lock.busy()) {
        op.showMessage(kDestinationBusy);
        return;
    }
    resetRecordTemplates(state.templates);
    buildFileHeader(state, request.companyId, today);

    Product product = *request.product;
    if (product == Product::DirectCredit || product == Product::Payroll) {
        if (!checkDebitAccounts(request, op)) {
            return;
        }
    } else if (product == Product::ManagerCheque && !everyLineIsCheque(request.sourceFile)) {
        op.showMessage("Length of line in the source file are missmatch for format cheque issuance");
        return;
    }
    std::string archiveFile = archiveName(request.companyId, state.productCode, today);
    fs::path archive = state.destinationDirectory + archiveFile;
    if (!replaceableArchive(archive)) {
        op.showMessage("The file " + archive.string() +
                       " is not a ZIP archive. Please move or rename it and retry");
        return;
    }
    // Nothing in the destination folder changes before commit: a run that stops or fails leaves
    // the older bank file, archive and rejection files as they were.
    RunOutputs outputs(request.destinationFile, {request.sourceFile, request.invoiceFile});
    outputs.add("zip", archive);
    for (RejectionKind kind : rejectionKinds(product)) {
        outputs.add(rejectionRole(kind), rejectionPath(request, state, kind));
    }
    ConversionContext ctx{request, state, tables, op, home, today, outputs};
    ctx.linesConverted = [&ctx](const RunReport& report, bool digestToCome) {
        return beginReportEarly(ctx, report, digestToCome);
    };
    ctx.tablesBack = [&op](bool abandon) { op.endReportRows(abandon); };
    RunReport report;
    switch (product) {
        case Product::DirectCredit:
        case Product::Payroll:
            report = convertDirectCredit(ctx);
            break;
        case Product::ManagerCheque:
            report = convertManagerCheque(ctx);
            break;
        case Product::MediaClearing:
            report = convertMediaClearing(ctx);
            break;
    }
    if (report.kind == ReportKind::None) {
        return;
    }
    bool bankFile = !report.digest.empty();
    if (bankFile) {
        packBankFile(request, outputs, report);
    } else {
        outputs.setAction("zip", RunOutputs::Action::Discard);
        if (outputs.has("bank")) {
            outputs.setAction("bank", RunOutputs::Action::Discard);
        }
    }
    for (RejectionKind kind : rejectionKinds(product)) {
        if (!state.rejectionFlags[kind]) {
            outputs.setAction(rejectionRole(kind), RunOutputs::Action::RemoveTarget);
        }
    }
    outputs.commit();
    if (bankFile) {
        op.showMessage("Reformat data and add to " + archiveFile + " completed");
        state.hashValue = report.digest;
        op.setHashValue(report.digest);
        state.success = true;
    }
    showRunReport(ctx, report);
}

}  // namespace convertor

#include "convert/ConversionRun.h"

#include <filesystem>
#include <optional>
#include <string_view>

#include "bankfile/FieldChecks.h"
#include "bankfile/FileHeader.h"
#include "base/ConversionError.h"
#include "convert/DataDirectory.h"
#include "convert/InputChecks.h"
#include "convert/OutputChecks.h"
#include "convert/ReportOutput.h"
#include "convert/Session.h"
#include "output/PackOutput.h"
#include "output/RunLock.h"
#include "output/RunOutputs.h"
#include "products/ConversionContext.h"
#include "products/DirectCreditConverter.h"
#include "products/ManagerChequeConverter.h"
#include "products/MediaClearingConverter.h"
#include "reports/ReportOperations.h"
#include "text/LineReader.h"
#include "text/Numbers.h"
#include "text/Trim.h"

namespace fs = std::filesystem;

namespace convertor {

namespace {

constexpr std::size_t kChequeLineLength = 700;

bool everyLineIsCheque(const std::string& file) {
    LineReader reader(file);
    std::string line;
    bool all = true;
    while (reader.next(line)) {
        all = all && line.size() == kChequeLineLength;
    }
    return all;
}

// An account entry goes into record 002 whole: the check drops the 4th character of an
// 11-character account, but the record's account-digit field takes it, so it must be a digit too.
bool debitAccountCheck(std::string_view account) {
    return accountCheck(account) && isDigits(account);
}

// The message refusing the debit and fee account entries of Direct Credit and Payroll.
std::optional<std::string> debitAccountsProblem(const ConversionRequest& request) {
    std::string_view debit = trimView(request.debitAccount);
    std::string_view fee = trimView(request.feeAccount);
    if (debit.empty()) {
        return "Please insert debit account";
    }
    if (fee.empty()) {
        return "Please insert debit fee account";
    }
    if (!debitAccountCheck(debit)) {
        return "Invalid debit account";
    }
    if (!debitAccountCheck(fee)) {
        return "Invalid debit fee account";
    }
    return std::nullopt;
}

// The checks of the request in their order; the message of the first that fails.
std::optional<std::string> requestProblem(const ConversionRequest& request, const Date& today) {
    if (auto problem = companyIdProblem(request.companyId)) {
        return problem;
    }
    if (!request.product || request.sourceFile.empty() || request.destinationFile.empty()) {
        return "Please select product type or select file name before reformat data ";
    }
    return runFilesProblem(request, today);
}

// The checks after the destination folder is held: the outputs, the entries and files of the
// product.
std::optional<std::string> productProblem(const ConversionRequest& request, const OutputNames& names,
                                          const std::vector<fs::path>& programFiles) {
    Product product = *request.product;
    if (product == Product::DirectCredit || product == Product::Payroll) {
        if (auto problem = debitAccountsProblem(request)) {
            return problem;
        }
    } else if (product == Product::ManagerCheque && !everyLineIsCheque(request.sourceFile)) {
        return "Length of line in the source file are missmatch for format cheque issuance";
    }
    if (!replaceableArchive(names.archive)) {
        return "The file " + names.archive.string() +
               " is not a ZIP archive. Please move or rename it and retry";
    }
    if (auto problem = outputsProblem(names, programFiles)) {
        return problem;
    }
    if (!request.reportFile.empty()) {
        if (std::string problem = reportProblem(request, names, programFiles); !problem.empty()) {
            return "Report file: " + problem;
        }
    }
    return std::nullopt;
}

ConverterResult convert(ConversionContext& ctx) {
    switch (*ctx.request.product) {
        case Product::DirectCredit:
        case Product::Payroll:
            return convertDirectCredit(ctx);
        case Product::ManagerCheque:
            return convertManagerCheque(ctx);
        case Product::MediaClearing:
            return convertMediaClearing(ctx);
    }
    return {};
}

fs::path folderOf(const fs::path& file) {
    return file.parent_path().empty() ? fs::path(".") : file.parent_path();
}

RunResult stopped(Operator& op, std::string message) {
    op.showMessage(message);
    RunResult result;
    result.message = std::move(message);
    return result;
}

// The bank work file, checked as it was written, goes into the archive; errors name the
// destination.
void packBankFile(const ConversionRequest& request, RunOutputs& outputs,
                  const BankFileWriter::Finished& bank) {
    if (!bank.problems.empty()) {
        throw ConversionError("The bank file " + request.destinationFile + " did not pass its check (" +
                              bank.problems.front() + "); nothing was written");
    }
    packOutput(bank.packed, fs::path(request.destinationFile).filename().string(), outputs.archiveWork(),
               outputs.names().archive);
}

}  // namespace

RunResult runConversion(const ConversionRequest& request, Session& session, Operator& op) {
    if (session.problem()) {
        throw ConversionError(*session.problem());
    }
    // One date for record 001, the checks, the archive and the report.
    const Date today = session.clock().today();
    if (auto problem = requestProblem(request, today)) {
        return stopped(op, *problem);
    }
    OutputNames names =
        outputNames(request.destinationFile, request.companyId, *request.product, today, request.reportFile);
    RunLock lock(folderOf(names.bankFile).string());
    if (lock.busy()) {
        return stopped(op, kDestinationBusy);
    }
    std::optional<RunLock> reportLock;
    if (!names.report.empty() && !sameFile(folderOf(names.report), folderOf(names.bankFile))) {
        reportLock.emplace(folderOf(names.report).string());
        if (reportLock->busy()) {
            return stopped(op, kReportFolderBusy);
        }
    }
    std::string record001 = fileHeader(request.companyId, today).line();
    if (auto problem = productProblem(request, names, session.programFiles())) {
        return stopped(op, *problem);
    }

    // Nothing in the destination folder changes before commit: a run that stops or fails leaves
    // the older bank file, archive, rejection files and report as they were.
    RunOutputs outputs(std::move(names), {request.sourceFile, request.invoiceFile}, session.pendingCommits());
    ConversionContext ctx{request, session.settings,     session.tables(), op,
                          today,   std::move(record001), outputs};
    ConverterResult converted = convert(ctx);
    if (converted.stopped) {
        return stopped(op, converted.stopMessage);
    }
    RunResult result;
    result.summary = converted.summary;
    result.rejectionFlags = converted.rejectionFlags;
    result.acceptedCount = converted.acceptedCount;
    result.totalText = converted.totalText;
    result.report = converted.report;
    if (converted.anyAccepted) {
        packBankFile(request, outputs, converted.bankFile);
        // The report shows what the run will be once committed.
        result.outcome = RunOutcome::Completed;
        result.digest = converted.bankFile.digest;
        result.archiveName = outputs.names().archiveName;
    } else {
        op.setHashValue("");
        op.showMessage("Reformat data fail because data are rejected all transactions");
        outputs.keepOlderBankFile();
        result.outcome = RunOutcome::AllRejected;
    }
    for (RejectionKind kind : rejectionKinds(*request.product)) {
        if (!result.rejectionFlags[kind]) {
            outputs.removeRejectionFile(kind);
        }
    }
    ReportValue report = buildReport(result, request, session.tables(), today);
    if (!request.reportFile.empty()) {
        writeReportOutput(report, request.reportFile, outputs.reportWork(), reportDirectory(session.home()),
                          op);
    }
    if (op.interrupted()) {
        throw ConversionError("interrupted");
    }
    outputs.commit();
    if (result.outcome == RunOutcome::Completed) {
        op.showMessage("Reformat data and add to " + result.archiveName + " completed");
        op.setHashValue(result.digest);
    }
    op.showReport(std::move(report));
    return result;
}

}  // namespace convertor

#include "bankfile/AmountText.h"
#include "products/ConversionRequest.h"
#include "products/RunResult.h"
#include "reports/ReportOperations.h"
#include "text/CodePage.h"
#include "text/Numbers.h"

namespace convertor {

ReportValue resultReport(const RunResult& result, const ConversionRequest& request) {
    const RunReport& shown = result.report;
    const bool completed = result.outcome == RunOutcome::Completed;
    ReportValue report;
    report.templateName = "rptResult.frf";
    report.variables = {
        {"FromFile", request.sourceFile},
        {"ToFile", completed ? request.destinationFile : std::string()},
        {"HashCode", result.digest},
        {"ComId", toUtf8(request.companyId)},
        {"PayType", toUtf8(shown.payType)},
        {"DebitRecord", std::to_string(toWholeNumber(shown.debitRecord))},
        {"CreditRecord", std::to_string(toWholeNumber(shown.creditRecord))},
        {"Amount", amountWithPoint(shown.amountText)},
        {"ComName", toUtf8(shown.companyName)},
        {"ValueDate", toUtf8(shown.valueDate)},
        {"CusCap", toUtf8(shown.companyCaption)},
    };
    // The rejection statistics, in the order the template's variables are set.
    const auto& items = result.summary.items;
    for (int slot : {0, 2, 4, 1, 3, 5, 6, 7}) {
        report.variables.emplace_back(RunSummary::kNames[slot], items[slot]);
    }
    return report;
}

ReportValue buildReport(const RunResult& result, const ConversionRequest& request, TableStore& tables,
                        const Date& today) {
    ReportValue report;
    switch (result.report.kind) {
        case ReportKind::DcpDetail:
            report = dcpDetailReport(result, request, tables);
            break;
        case ReportKind::MclDetail:
            report = mclDetailReport(result, request, tables);
            break;
        case ReportKind::McpDetail:
            report = mcpDetailReport(result, request, tables);
            break;
        default:
            report = resultReport(result, request);
    }
    report.printedOn = today;
    return report;
}

}  // namespace convertor

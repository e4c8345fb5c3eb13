#include "bankfile/AmountText.h"
#include "bankfile/FieldChecks.h"
#include "base/ConversionError.h"
#include "products/ConversionContext.h"
#include "reports/ReportOperations.h"
#include "reports/ReportValue.h"
#include "text/CodePage.h"

namespace convertor {

void showResultReport(ConversionContext& ctx, const std::string& payType, const std::string& debitRecord,
                      const std::string& creditRecord, const std::string& amountText,
                      const std::string& valueDate, const std::string& companyName,
                      const std::string& companyCaption) {
    const ConversionRequest& request = ctx.request;
    const ConversionState& state = ctx.state;
    ReportValue report;
    report.templateName = "rptResult.frf";
    report.variables = {
        {"FromFile", request.sourceFile},
        {"ToFile", state.success ? request.destinationFile : std::string()},
        {"HashCode", state.hashValue},
        {"ComId", toUtf8(request.companyId)},
        {"PayType", toUtf8(payType)},
        {"DebitRecord", std::to_string(toWholeNumber(debitRecord))},
        {"CreditRecord", std::to_string(toWholeNumber(creditRecord))},
        {"Amount", amountWithPoint(amountText)},
        {"ComName", toUtf8(companyName)},
        {"ValueDate", toUtf8(valueDate)},
        {"CusCap", toUtf8(companyCaption)},
    };
    // The rejection statistics, in the order the template's variables are set.
    const auto& items = state.runSummary.items;
    for (int slot : {0, 2, 4, 1, 3, 5, 6, 7}) {
        report.variables.emplace_back(RunSummary::kNames[slot], items[slot]);
    }
    report.printedOn = ctx.today;
    ctx.op.showReport(std::move(report));
}

}  // namespace convertor

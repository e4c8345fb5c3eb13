#include "products/ConversionContext.h"
#include "refdata/Schema.h"
#include "reports/ReportOperations.h"
#include "reports/ReportQueries.h"
#include "reports/ReportValue.h"
#include "text/CodePage.h"

namespace convertor {

void showMclDetailReport(ConversionContext& ctx, const std::string& payType, const std::string& valueDate,
                         const std::string& companyName, const std::string& debitAccount) {
    ReportValue report;
    report.templateName = "rptMclDetail.frf";
    std::string account = toUtf8(debitAccount);
    report.variables = {
        {"HashCode", ctx.state.hashValue},
        {"ComId", toUtf8(ctx.request.companyId)},
        {"PayType", toUtf8(payType)},
        {"ComName", toUtf8(companyName)},
        {"ValueDate", toUtf8(valueDate)},
        {"Acct", account},
        {"AcctFee", account},
    };
    report.datasets.push_back(
        queryDataset(ctx.tables, schema::dataset::kRejections, selectAll(schema::rejection::kTable)));
    report.datasets.push_back(
        queryDataset(ctx.tables, schema::dataset::kMclDetail, selectAll(schema::mclDetail::kTable)));
    ctx.op.showReport(std::move(report));
}

}  // namespace convertor

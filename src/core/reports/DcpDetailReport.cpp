#include "products/ConversionContext.h"
#include "refdata/Schema.h"
#include "reports/ReportOperations.h"
#include "reports/ReportQueries.h"
#include "reports/ReportValue.h"
#include "text/CodePage.h"

namespace convertor {

void showDcpDetailReport(ConversionContext& ctx, const std::string& payType, const std::string& valueDate,
                         const std::string& companyName) {
    const ConversionRequest& request = ctx.request;
    ReportValue report;
    report.templateName = "rptDcpDetail.frf";
    report.variables = {
        {"HashCode", ctx.state.hashValue},
        {"ComId", toUtf8(request.companyId)},
        {"PayType", toUtf8(payType)},
        {"ComName", toUtf8(companyName)},
        {"ValueDate", toUtf8(valueDate)},
        {"Acct", toUtf8(request.debitAccount)},
        {"AcctFee", toUtf8(request.feeAccount)},
    };
    report.datasets = {
        queryDataset(ctx.tables, schema::dataset::kDcpDetail, selectAll(schema::dcpDetail::kTable)),
        queryDataset(ctx.tables, schema::dataset::kRejections, selectAll(schema::rejection::kTable)),
    };
    ctx.op.showReport(std::move(report));
}

}  // namespace convertor

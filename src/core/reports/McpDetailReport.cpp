#include "products/ConversionContext.h"
#include "refdata/Schema.h"
#include "reports/ReportOperations.h"
#include "reports/ReportQueries.h"
#include "reports/ReportValue.h"
#include "text/CodePage.h"

namespace convertor {

void showMcpDetailReport(ConversionContext& ctx, const std::string& payType, const std::string& valueDate,
                         const std::string& debitAccount) {
    // Both queries first, so an unusable lookup table stops the report before anything is shown.
    ReportDataset taxes = queryDataset(ctx.tables, schema::dataset::kChequeTaxes, withholdingTaxQuery());
    ReportDataset invoices = queryDataset(ctx.tables, schema::dataset::kChequeInvoices, invoiceQuery());

    ReportValue report;
    report.templateName = "rptMcpDetail.frf";
    std::string account = toUtf8(debitAccount);
    report.variables = {
        {"HashCode", ctx.state.hashValue},
        {"ComId", toUtf8(ctx.request.companyId)},
        {"PayType", toUtf8(payType)},
        {"ValueDate", toUtf8(valueDate)},
        {"Acct", account},
        {"AcctFee", account},
    };
    report.datasets.push_back(
        queryDataset(ctx.tables, schema::dataset::kCheques, selectAll(schema::mcpDetail::kTable)));
    report.datasets.push_back(std::move(taxes));
    report.datasets.push_back(std::move(invoices));
    ctx.op.showReport(std::move(report));
}

}  // namespace convertor

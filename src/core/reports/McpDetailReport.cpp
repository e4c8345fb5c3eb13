#include "products/ConversionContext.h"
#include "refdata/Schema.h"
#include "reports/ReportOperations.h"
#include "reports/ReportValue.h"
#include "text/CodePage.h"

namespace convertor {

namespace {

// The two queries the cheque template reads, as its layout expects them (column order included).
const char* const kWithholdingTaxQuery =
    "Select  *  From  Wht_Detail , WHT_FORM_TYPE ,WHT_TAX_TYPE ,\r\n"
    "Mcp_Detail   left outer  join   WHT_PAY_TYPE  on Mcp_Detail.TaxPaid= WHT_PAY_TYPE.PAY_TYPE\r\n"
    "where Mcp_Detail.ID =  Wht_Detail.CreditId AND Mcp_Detail.TaxForm=WHT_FORM_TYPE.FORM_TYPE  AND "
    "Wht_Detail.IncomeType=WHT_TAX_TYPE.TAX_TYPE";

const char* const kInvoiceQuery =
    "Select * from Mcp_Detail, Invoice_Detail where Mcp_Detail.ID=Invoice_Detail.CreditId";

}  // namespace

void showMcpDetailReport(ConversionContext& ctx, const std::string& payType, const std::string& valueDate,
                         const std::string& debitAccount) {
    // Both queries first, so an unusable lookup table stops the report before anything is shown.
    ReportDataset taxes = queryDataset(ctx.tables, "frDBDataSet5", kWithholdingTaxQuery);
    ReportDataset invoices = queryDataset(ctx.tables, "frDBDataSet6", kInvoiceQuery);

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
        queryDataset(ctx.tables, "frDBDataSet4", std::string("select * from ") + schema::McpDetail));
    report.datasets.push_back(std::move(taxes));
    report.datasets.push_back(std::move(invoices));
    ctx.op.showReport(std::move(report));
}

}  // namespace convertor

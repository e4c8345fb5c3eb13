#include <optional>

#include "products/ConversionContext.h"
#include "refdata/Schema.h"
#include "reports/ReportOperations.h"
#include "reports/ReportQueries.h"
#include "reports/ReportValue.h"
#include "text/CodePage.h"

namespace convertor {

namespace {

// The variables of every detail report, in the order its template sets them; the cheque report
// prints no company name.
std::vector<std::pair<std::string, std::string>> detailVariables(
    const ConversionContext& ctx, const std::string& hashCode, const std::string& payType,
    const std::optional<std::string>& companyName, const std::string& valueDate, const std::string& account,
    const std::string& feeAccount) {
    std::vector<std::pair<std::string, std::string>> variables = {
        {"HashCode", hashCode},
        {"ComId", toUtf8(ctx.request.companyId)},
        {"PayType", toUtf8(payType)},
    };
    if (companyName) {
        variables.emplace_back("ComName", toUtf8(*companyName));
    }
    variables.emplace_back("ValueDate", toUtf8(valueDate));
    variables.emplace_back("Acct", toUtf8(account));
    variables.emplace_back("AcctFee", toUtf8(feeAccount));
    return variables;
}

ReportDataset wholeTable(ConversionContext& ctx, const char* dataset, const char* table) {
    return queryDataset(ctx.tables, dataset, selectAll(table));
}

}  // namespace

ReportValue dcpDetailReport(ConversionContext& ctx, const std::string& hashCode, const std::string& payType,
                            const std::string& valueDate, const std::string& companyName) {
    ReportValue report;
    report.templateName = "rptDcpDetail.frf";
    report.variables = detailVariables(ctx, hashCode, payType, companyName, valueDate, ctx.request.debitAccount,
                                       ctx.request.feeAccount);
    report.datasets = {
        wholeTable(ctx, schema::dataset::kDcpDetail, schema::dcpDetail::kTable),
        wholeTable(ctx, schema::dataset::kRejections, schema::rejection::kTable),
    };
    report.printedOn = ctx.today;
    return report;
}

ReportValue mclDetailReport(ConversionContext& ctx, const std::string& hashCode, const std::string& payType,
                            const std::string& valueDate, const std::string& companyName,
                            const std::string& debitAccount) {
    ReportValue report;
    report.templateName = "rptMclDetail.frf";
    report.variables = detailVariables(ctx, hashCode, payType, companyName, valueDate, debitAccount, debitAccount);
    report.datasets = {
        wholeTable(ctx, schema::dataset::kRejections, schema::rejection::kTable),
        wholeTable(ctx, schema::dataset::kMclDetail, schema::mclDetail::kTable),
    };
    report.printedOn = ctx.today;
    return report;
}

ReportValue mcpDetailReport(ConversionContext& ctx, const std::string& hashCode, const std::string& payType,
                            const std::string& valueDate, const std::string& debitAccount) {
    // The joins first, so an unusable lookup table stops the report before anything is shown.
    ReportDataset taxes = queryDataset(ctx.tables, schema::dataset::kChequeTaxes, withholdingTaxQuery());
    ReportDataset invoices = queryDataset(ctx.tables, schema::dataset::kChequeInvoices, invoiceQuery());

    ReportValue report;
    report.templateName = "rptMcpDetail.frf";
    report.variables = detailVariables(ctx, hashCode, payType, std::nullopt, valueDate, debitAccount, debitAccount);
    report.datasets.push_back(wholeTable(ctx, schema::dataset::kCheques, schema::mcpDetail::kTable));
    report.datasets.push_back(std::move(taxes));
    report.datasets.push_back(std::move(invoices));
    report.children = chequeChildLinks();
    report.printedOn = ctx.today;
    return report;
}

}  // namespace convertor

#include "products/ConversionRequest.h"
#include "products/RunResult.h"
#include "refdata/Schema.h"
#include "reports/ReportOperations.h"
#include "reports/ReportQueries.h"
#include "reports/ReportValue.h"
#include "text/CodePage.h"

namespace convertor {

namespace {

// The variables of every detail report, in the order its template sets them; the cheque report
// prints no company name.
std::vector<std::pair<std::string, std::string>> detailVariables(const RunResult& result,
                                                                 const ConversionRequest& request,
                                                                 bool companyName, const std::string& account,
                                                                 const std::string& feeAccount) {
    const RunReport& shown = result.report;
    std::vector<std::pair<std::string, std::string>> variables = {
        {"HashCode", result.digest},
        {"ComId", toUtf8(request.companyId)},
        {"PayType", toUtf8(shown.payType)},
    };
    if (companyName) {
        variables.emplace_back("ComName", toUtf8(shown.companyName));
    }
    variables.emplace_back("ValueDate", toUtf8(shown.valueDate));
    variables.emplace_back("Acct", toUtf8(account));
    variables.emplace_back("AcctFee", toUtf8(feeAccount));
    return variables;
}

ReportDataset wholeTable(TableStore& tables, const char* dataset, const char* table) {
    return queryDataset(tables, dataset, selectAll(table));
}

}  // namespace

ReportValue dcpDetailReport(const RunResult& result, const ConversionRequest& request, TableStore& tables) {
    ReportValue report;
    report.templateName = "rptDcpDetail.frf";
    report.variables = detailVariables(result, request, true, request.debitAccount, request.feeAccount);
    report.datasets = {
        wholeTable(tables, schema::dataset::kDcpDetail, schema::dcpDetail::kTable),
        wholeTable(tables, schema::dataset::kRejections, schema::rejection::kTable),
    };
    return report;
}

ReportValue mclDetailReport(const RunResult& result, const ConversionRequest& request, TableStore& tables) {
    const std::string& debitAccount = result.report.debitAccount;
    ReportValue report;
    report.templateName = "rptMclDetail.frf";
    report.variables = detailVariables(result, request, true, debitAccount, debitAccount);
    report.datasets = {
        wholeTable(tables, schema::dataset::kRejections, schema::rejection::kTable),
        wholeTable(tables, schema::dataset::kMclDetail, schema::mclDetail::kTable),
    };
    return report;
}

ReportValue mcpDetailReport(const RunResult& result, const ConversionRequest& request, TableStore& tables) {
    // The joins first, so an unusable lookup table stops the report before anything is shown.
    ReportDataset taxes = queryDataset(tables, schema::dataset::kChequeTaxes, withholdingTaxQuery());
    ReportDataset invoices = queryDataset(tables, schema::dataset::kChequeInvoices, invoiceQuery());

    const std::string& debitAccount = result.report.debitAccount;
    ReportValue report;
    report.templateName = "rptMcpDetail.frf";
    report.variables = detailVariables(result, request, false, debitAccount, debitAccount);
    report.datasets.push_back(wholeTable(tables, schema::dataset::kCheques, schema::mcpDetail::kTable));
    report.datasets.push_back(std::move(taxes));
    report.datasets.push_back(std::move(invoices));
    report.children = chequeChildLinks();
    return report;
}

}  // namespace convertor

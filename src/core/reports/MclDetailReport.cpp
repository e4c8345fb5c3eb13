#include "products/ConversionContext.h"
#include "refdata/Schema.h"
#include "refdata/TableStore.h"
#include "reports/ReportOperations.h"
#include "reports/ReportValue.h"
#include "text/CodePage.h"

namespace convertor {

namespace {

ReportDataset tableDataset(TableStore& tables, const char* name, const char* table) {
    QueryResult result = tables.query(std::string("select * from ") + table);
    return ReportDataset{name, std::move(result.columns), std::move(result.rows)};
}

}  // namespace

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
    report.datasets.push_back(tableDataset(ctx.tables, "frDBDataSet2", schema::DcpErr));
    report.datasets.push_back(tableDataset(ctx.tables, "frDBDataSet3", schema::MclDetail));
    ctx.op.showReport(std::move(report));
}

}  // namespace convertor

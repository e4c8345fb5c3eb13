#include "reports/ReportQueries.h"

#include "refdata/Schema.h"

namespace convertor {

namespace {

std::string qualified(const char* table, const char* column) {
    return std::string(table) + "." + column;
}

}  // namespace

std::string selectAll(const char* table) {
    return std::string("select * from ") + table;
}

// The spacing and line breaks are the layout's own: the text is kept as it was written.
const std::string& withholdingTaxQuery() {
    using namespace schema;
    static const std::string sql = std::string("Select  *  From  ") + whtDetail::kTable + " , " +
                                   whtFormType::kTable + " ," + whtTaxType::kTable + " ,\r\n" +
                                   mcpDetail::kTable + "   left outer  join   " + whtPayType::kTable +
                                   "  on " + qualified(mcpDetail::kTable, mcpDetail::kTaxPaid) + "= " +
                                   qualified(whtPayType::kTable, whtPayType::kPayType) + "\r\nwhere " +
                                   qualified(mcpDetail::kTable, mcpDetail::kId) + " =  " +
                                   qualified(whtDetail::kTable, whtDetail::kCreditId) + " AND " +
                                   qualified(mcpDetail::kTable, mcpDetail::kTaxForm) + "=" +
                                   qualified(whtFormType::kTable, whtFormType::kFormType) + "  AND " +
                                   qualified(whtDetail::kTable, whtDetail::kIncomeType) + "=" +
                                   qualified(whtTaxType::kTable, whtTaxType::kTaxType);
    return sql;
}

const std::string& invoiceQuery() {
    using namespace schema;
    static const std::string sql = std::string("Select * from ") + mcpDetail::kTable + ", " +
                                   invoiceDetail::kTable + " where " +
                                   qualified(mcpDetail::kTable, mcpDetail::kId) + "=" +
                                   qualified(invoiceDetail::kTable, invoiceDetail::kCreditId);
    return sql;
}

std::vector<ReportValue::ChildLink> chequeChildLinks() {
    using namespace schema;
    return {
        {dataset::kCheques, mcpDetail::kId, dataset::kChequeTaxes, whtDetail::kCreditId, "wht"},
        {dataset::kCheques, mcpDetail::kId, dataset::kChequeInvoices, invoiceDetail::kCreditId, "invoices"}};
}

std::span<const char* const> templateDatasetNames() {
    return schema::dataset::kAll;
}

}  // namespace convertor

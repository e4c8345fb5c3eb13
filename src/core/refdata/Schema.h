#pragma once

#include <cstddef>
#include <span>
#include <string>

namespace convertor::schema {

// The one place that knows table, column and report dataset names. One namespace per table;
// a column is named for what it holds, its constant for what the table calls it.

inline constexpr const char* kDatabaseFile = "zvb.db";

// Reference tables of banks and their branches.
namespace bank {
inline constexpr const char* kTable = "Bank";
inline constexpr const char* kCode = "BANK_CODE";
inline constexpr const char* kNameTh = "BANK_NAME_TH";
inline constexpr const char* kNameEn = "BANK_NAME_EN";
}  // namespace bank

namespace branch {
inline constexpr const char* kTable = "BRANCH";
inline constexpr const char* kCode = "BRANCH_CODE";
inline constexpr const char* kBankCode = "BANK_CODE";
inline constexpr const char* kNameTh = "BRANCH_NAME_TH";
inline constexpr const char* kNameEn = "BRANCH_NAME_EN";
inline constexpr const char* kRegionCode = "REGION_CODE";
}  // namespace branch

// The lines a run rejected, of every product.
namespace rejection {
inline constexpr const char* kTable = "Dcp_Err";
inline constexpr const char* kLineNo = "LnNo";
inline constexpr const char* kFieldName = "FieldName";
inline constexpr const char* kColumnNo = "ColNo";
inline constexpr const char* kDescription = "DesErr";
}  // namespace rejection

// The credits of a Direct Credit or Payroll run.
namespace dcpDetail {
inline constexpr const char* kTable = "Dcp_Detail";
inline constexpr const char* kAccountNo = "AcNo";
inline constexpr const char* kAmount = "Amount";
inline constexpr const char* kName = "Name";
}  // namespace dcpDetail

// The payments of a Media Clearing run.
namespace mclDetail {
inline constexpr const char* kTable = "Mcl_Detail";
inline constexpr const char* kAccount = "Acct";
inline constexpr const char* kBankCode = "BankCode";
inline constexpr const char* kBranchCode = "BranchCode";
inline constexpr const char* kAmount = "Amount";
inline constexpr const char* kServiceType = "ServiceType";
inline constexpr const char* kName = "Name";
}  // namespace mclDetail

// The cheques of a Manager Cheque run.
namespace mcpDetail {
inline constexpr const char* kTable = "Mcp_Detail";
inline constexpr const char* kId = "ID";
inline constexpr const char* kName = "Name";
inline constexpr const char* kChequeAmount = "CAmount";
inline constexpr const char* kWhtAmount = "WhtAmount";
inline constexpr const char* kVatAmount = "VatAmount";
inline constexpr const char* kInvoiceAmount = "InvoiceAmount";
inline constexpr const char* kRefNo = "RefNo";
inline constexpr const char* kTaxId = "TaxId";
inline constexpr const char* kTaxAttach = "TaxAttach";
inline constexpr const char* kTaxRun = "TaxRun";
inline constexpr const char* kTaxDate = "TaxDate";
inline constexpr const char* kTaxPaid = "TaxPaid";
inline constexpr const char* kTaxForm = "TaxForm";
}  // namespace mcpDetail

// The withholding tax lines of those cheques.
namespace whtDetail {
inline constexpr const char* kTable = "Wht_Detail";
inline constexpr const char* kCreditId = "CreditId";
inline constexpr const char* kWhtId = "WhtId";
inline constexpr const char* kIncomeAmount = "IncomeAmount";
inline constexpr const char* kWhtAmount = "WhtAmount";
inline constexpr const char* kIncomeType = "IncomeType";
inline constexpr const char* kIncomeDescription = "IncomeDescription";
inline constexpr const char* kRate = "Rate";
}  // namespace whtDetail

// The invoices of those cheques.
namespace invoiceDetail {
inline constexpr const char* kTable = "Invoice_Detail";
inline constexpr const char* kCreditId = "CreditId";
inline constexpr const char* kInvoiceId = "InvoiceId";
inline constexpr const char* kInvoiceNo = "InvoiceNo";
inline constexpr const char* kInvoiceAmount = "InvoiceAmount";
inline constexpr const char* kInvoiceDate = "InvoiceDate";
inline constexpr const char* kPoNo = "PoNo";
inline constexpr const char* kVatAmount = "VatAmount";
inline constexpr const char* kChargeAmount = "ChargeAmount";
inline constexpr const char* kWhtAmount = "WhtAmount";
}  // namespace invoiceDetail

// Lookup tables the cheque report joins.
namespace whtFormType {
inline constexpr const char* kTable = "WHT_FORM_TYPE";
inline constexpr const char* kFormType = "FORM_TYPE";
inline constexpr const char* kFormName = "FORM_NAME";
inline constexpr const char* kFormDesc = "FORM_DESC";
}  // namespace whtFormType

namespace whtTaxType {
inline constexpr const char* kTable = "WHT_TAX_TYPE";
inline constexpr const char* kTaxType = "TAX_TYPE";
inline constexpr const char* kTaxDesc = "TAX_DESC";
}  // namespace whtTaxType

namespace whtPayType {
inline constexpr const char* kTable = "WHT_PAY_TYPE";
inline constexpr const char* kPayType = "PAY_TYPE";
inline constexpr const char* kPayDesc = "PAY_DESC";
}  // namespace whtPayType

// The run history: one row for every run that got past the input checks. Unlike the working
// tables it is never emptied, and it is created on first use in a file made before it existed.
// Texts are UTF-8; times are local, "YYYY-MM-DD HH:MM:SS".
namespace runHistory {
inline constexpr const char* kTable = "RunHistory";
inline constexpr const char* kId = "Id";
inline constexpr const char* kStarted = "Started";
inline constexpr const char* kEnded = "Ended";
inline constexpr const char* kProduct = "Product";  // "DCP", "PAY", "MCL", "MCP"
inline constexpr const char* kCompanyId = "CompanyId";
inline constexpr const char* kLogin = "Login";  // the operator's login name on the machine
inline constexpr const char* kSourcePath = "SourcePath";
inline constexpr const char* kSourceSize = "SourceSize";
inline constexpr const char* kSourceSha1 = "SourceSha1";
inline constexpr const char* kInvoicePath = "InvoicePath";  // Manager Cheque only
inline constexpr const char* kInvoiceSize = "InvoiceSize";
inline constexpr const char* kInvoiceSha1 = "InvoiceSha1";
inline constexpr const char* kDestination = "Destination";
inline constexpr const char* kArchiveName = "ArchiveName";
inline constexpr const char* kOutcome = "Outcome";
inline constexpr const char* kMessage = "Message";  // the stop message or the error text
inline constexpr const char* kAccepted = "Accepted";
inline constexpr const char* kRejected = "Rejected";  // all kinds together
inline constexpr const char* kRejectedInvalidAcct = "RejectedInvalidAcct";
inline constexpr const char* kRejectedCreditZeroAmount = "RejectedCreditZeroAmount";
inline constexpr const char* kRejectedCreditAmountInvalid = "RejectedCreditAmountInvalid";
inline constexpr const char* kRejectedBankBranchCode = "RejectedBankBranchCode";
inline constexpr const char* kTotalAmount = "TotalAmount";  // the bank file's total text
inline constexpr const char* kHashValue = "HashValue";

inline constexpr const char* kCompleted = "completed";
inline constexpr const char* kAllRejected = "all rejected";
inline constexpr const char* kStopped = "stopped";
inline constexpr const char* kFailed = "failed";

// Every column, in the table's order.
std::span<const char* const> columns();
// CREATE TABLE IF NOT EXISTS and its index, in one script.
const std::string& createSql();
}  // namespace runHistory

// The datasets a report template can reach, by what each holds.
namespace dataset {
inline constexpr const char* kDcpDetail = "frDBDataSet1";
inline constexpr const char* kRejections = "frDBDataSet2";
inline constexpr const char* kMclDetail = "frDBDataSet3";
inline constexpr const char* kCheques = "frDBDataSet4";
inline constexpr const char* kChequeTaxes = "frDBDataSet5";
inline constexpr const char* kChequeInvoices = "frDBDataSet6";
inline constexpr const char* kAll[] = {kDcpDetail, kRejections,  kMclDetail,
                                       kCheques,   kChequeTaxes, kChequeInvoices};
}  // namespace dataset

// The width of a text column, in characters, as its type names it; 0 for any other.
std::size_t columnWidth(const char* table, const char* column);

// Every table, in the order they are created.
std::span<const char* const> tableNames();

// CREATE TABLE statements of every table, in one script.
const std::string& createTablesSql();
// The CREATE INDEX IF NOT EXISTS statement of a table; empty for a table without an index.
std::string createIndexSql(const char* table);
// Those of every table, in one script.
std::string createIndexesSql();

}  // namespace convertor::schema

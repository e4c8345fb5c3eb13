#pragma once

namespace convertor::schema {

// The one place that knows table and column names.

inline constexpr const char* kDatabaseFile = "zvb.db";

inline constexpr const char* Bank = "Bank";
inline constexpr const char* BankCode = "BANK_CODE";
inline constexpr const char* BankNameTh = "BANK_NAME_TH";
inline constexpr const char* BankNameEn = "BANK_NAME_EN";

inline constexpr const char* Branch = "BRANCH";
inline constexpr const char* BranchCode = "BRANCH_CODE";
inline constexpr const char* BranchNameTh = "BRANCH_NAME_TH";
inline constexpr const char* BranchNameEn = "BRANCH_NAME_EN";
inline constexpr const char* RegionCode = "REGION_CODE";

inline constexpr const char* DcpErr = "Dcp_Err";
inline constexpr const char* LnNo = "LnNo";
inline constexpr const char* FieldName = "FieldName";
inline constexpr const char* ColNo = "ColNo";
inline constexpr const char* DesErr = "DesErr";

inline constexpr const char* DcpDetail = "Dcp_Detail";
inline constexpr const char* AcNo = "AcNo";
inline constexpr const char* Amount = "Amount";
inline constexpr const char* Name = "Name";

inline constexpr const char* MclDetail = "Mcl_Detail";
inline constexpr const char* Acct = "Acct";
inline constexpr const char* MclBankCode = "BankCode";
inline constexpr const char* MclBranchCode = "BranchCode";
inline constexpr const char* ServiceType = "ServiceType";

inline constexpr const char* McpDetail = "Mcp_Detail";
inline constexpr const char* ID = "ID";
inline constexpr const char* CAmount = "CAmount";
inline constexpr const char* WhtAmount = "WhtAmount";
inline constexpr const char* VatAmount = "VatAmount";
inline constexpr const char* InvoiceAmount = "InvoiceAmount";
inline constexpr const char* RefNo = "RefNo";
inline constexpr const char* TaxId = "TaxId";
inline constexpr const char* TaxAttach = "TaxAttach";
inline constexpr const char* TaxRun = "TaxRun";
inline constexpr const char* TaxDate = "TaxDate";
inline constexpr const char* TaxPaid = "TaxPaid";
inline constexpr const char* TaxForm = "TaxForm";

inline constexpr const char* WhtDetail = "Wht_Detail";
inline constexpr const char* CreditId = "CreditId";
inline constexpr const char* WhtId = "WhtId";
inline constexpr const char* IncomeAmount = "IncomeAmount";
inline constexpr const char* IncomeType = "IncomeType";
inline constexpr const char* IncomeDescription = "IncomeDescription";
inline constexpr const char* Rate = "Rate";

inline constexpr const char* InvoiceDetail = "Invoice_Detail";
inline constexpr const char* InvoiceId = "InvoiceId";
inline constexpr const char* InvoiceNo = "InvoiceNo";
inline constexpr const char* InvoiceDate = "InvoiceDate";
inline constexpr const char* PoNo = "PoNo";
inline constexpr const char* ChargeAmount = "ChargeAmount";

inline constexpr const char* WhtFormType = "WHT_FORM_TYPE";
inline constexpr const char* FormType = "FORM_TYPE";
inline constexpr const char* WhtTaxType = "WHT_TAX_TYPE";
inline constexpr const char* TaxType = "TAX_TYPE";
inline constexpr const char* WhtPayType = "WHT_PAY_TYPE";
inline constexpr const char* PayType = "PAY_TYPE";

// The bank and branch reference tables, as the maintenance windows and the lookups name them.
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

// CREATE TABLE statements of every table, in one script.
const char* createTablesSql();

}  // namespace convertor::schema

#include "products/ManagerChequeConverter.h"

#include <cstdint>
#include <string>

#include "bankfile/FieldChecks.h"
#include "base/Clock.h"
#include "products/ChequeRecords.h"
#include "products/InvoiceRecords.h"
#include "products/PaymentLine.h"
#include "products/ProductRun.h"
#include "products/RecordFill.h"
#include "products/WithholdingTax.h"
#include "refdata/Schema.h"
#include "refdata/TableStore.h"
#include "text/LineReader.h"
#include "text/Numbers.h"
#include "text/Padding.h"

namespace convertor {

namespace {

constexpr const char* kCaption = "Manager Cheque";
constexpr std::string_view kZeroAmount = "0000000000000";

class ManagerChequeRun : public ProductRun {
public:
    // Cheques are reported without Dcp_Err rows.
    explicit ManagerChequeRun(ConversionContext& ctx)
        : ProductRun(ctx, false),
          m_details(ctx.request.printDetail ? &ctx.tables : nullptr),
          m_today(ctx.today.yyyymmdd()) {}

private:
    void begin(LineReader& source) override;
    std::vector<const char*> detailTables() const override {
        return {schema::mcpDetail::kTable, schema::whtDetail::kTable, schema::invoiceDetail::kTable};
    }
    void convertLine(const std::string& text, long lineNumber) override;
    void checkLine(const PaymentLine& line);
    void acceptLine(const PaymentLine& line);
    void rejectLine(const PaymentLine& line);
    void fillDebitSide(RecordTemplate<2>& r002) override;
    RunReport report() const override;

    InvoiceRecords m_invoices;
    TableStore* m_details;
    std::string m_today;
    bool m_anyLine = false;
    std::string m_lastDueDate;
    std::string m_lastDebitAccount;
};

void ManagerChequeRun::begin(LineReader& /*source*/) {
    // Every line is a payment; the line count moves the progress bar.
    m_progressTotal = lineCountLessOne(m_ctx.request.sourceFile);
    if (m_progressTotal == 0) {
        m_progressTotal = 1;
    }
    m_invoices.openInvoiceFile(m_ctx.request.invoiceFile);
}

void ManagerChequeRun::convertLine(const std::string& text, long lineNumber) {
    checkLine(PaymentLine(text, lineNumber));
}

void ManagerChequeRun::checkLine(const PaymentLine& line) {
    resetRecordTemplates(m_templates);
    std::string_view year = line.view(37, 40);
    std::string_view month = line.view(42, 43);
    std::string_view day = line.view(45, 46);
    m_anyLine = true;
    m_lastDueDate.assign(year).append(month).append(day);
    m_lastDebitAccount.assign(line.view(27, 36));

    // Blanks or a sign pass the date check but would put a malformed date into record 002.
    if (!dateCheck(year, month, day) || !isDigits(m_lastDueDate)) {
        throw RunStop{"Invalid  CHEQUE_DUE_DATE"};
    }
    if (m_lastDueDate < m_today) {
        throw RunStop{"CHEQUE_DUE_DATE should be today or future date"};
    }
    if (!accountCheck(line.view(27, 36))) {
        throw RunStop{"Invalid ZVB debit account"};
    }
    std::string_view amount = line.view(47, 59);
    if (amount != kZeroAmount && amountCheck(amount)) {
        acceptLine(line);
    } else {
        rejectLine(line);
    }
}

void ManagerChequeRun::acceptLine(const PaymentLine& line) {
    RecordTemplates& templates = m_templates;
    fillChequeHead(templates.r003, line, nextSequence());
    bool withInvoices = templates.r003.view(Record003::InvoiceFlag) == "Y";
    if (withInvoices && m_ctx.request.invoiceFile.empty()) {
        throw RunStop{"This payment file must have invoice data"};
    }
    fillChequeRest(templates.r003, line, m_ctx.settings.defaultBranchCode);
    m_bank.writeRecord(templates.r003);
    fillPayee(templates.r004, line, templates.r003);
    m_bank.writeRecord(templates.r004);
    if (m_details != nullptr) {
        m_details->appendRow(schema::mcpDetail::kTable,
                             chequeDetailRow(line, templates.r003, templates.r004));
    }
    writeTaxRecords(line, templates.r003, templates.r005, m_bank, m_details);
    if (withInvoices) {
        m_invoices.writeInvoiceRecords(line, templates.r003, templates.r006, m_ctx.settings.print, m_bank,
                                       m_details);
    }
    addToTotal(amountAt(templates.r003.view(Record003::CreditAmount), [&] { return line.where(); }));
}

void ManagerChequeRun::rejectLine(const PaymentLine& line) {
    m_invoices.skipRejectedInvoices(line);
    bool zero = line.view(47, 59) == kZeroAmount;
    RejectionEntry entry{
        zero ? RejectionKind::CreditZeroAmount : RejectionKind::CreditAmountInvalid,
        line.number(),
        "  Column : 47-59 ",
        zero ? "  Credit amount is zero" : "  Credit amount less than zero or invalid number",
        {},
        {},
        {}};
    m_log.logRejection(entry);
}

void ManagerChequeRun::fillDebitSide(RecordTemplate<2>& r002) {
    if (!m_anyLine) {
        return;
    }
    r002.set(Record002::ValueDate, m_lastDueDate);
    // The fee account fields repeat the debit account fields.
    fillDebitAccount(r002, m_lastDebitAccount);
    fillFeeAccount(r002, m_lastDebitAccount);
}

RunReport ManagerChequeRun::report() const {
    // What record 002 holds: the last line's due date and debit account, blank without a line.
    std::string valueDate = toDayMonthYear(m_anyLine ? m_lastDueDate : std::string(8, ' '));
    if (m_details == nullptr) {
        return resultReport(kCaption, valueDate, "", "", 7);
    }
    return detailReport(ReportKind::McpDetail, kCaption, valueDate, "",
                        padRight(m_anyLine ? m_lastDebitAccount : std::string(), 25));
}

}  // namespace

ConverterResult convertManagerCheque(ConversionContext& ctx) {
    return ManagerChequeRun(ctx).run();
}

}  // namespace convertor

#include "products/ManagerChequeConverter.h"

#include <cstdint>
#include <string>

#include "bankfile/FieldChecks.h"
#include "bankfile/RecordTemplates.h"
#include "bankfile/RejectionLog.h"
#include "products/BankFileAssembly.h"
#include "products/ChequeRecords.h"
#include "products/ConversionContext.h"
#include "products/InvoiceRecords.h"
#include "products/PaymentLine.h"
#include "products/RunTables.h"
#include "products/WithholdingTax.h"
#include "refdata/Schema.h"
#include "refdata/TableStore.h"
#include "reports/ReportOperations.h"
#include "text/LineReader.h"

namespace convertor {

namespace {

constexpr const char* kCaption = "Manager Cheque";
const std::string kZeroAmount(13, '0');

class ManagerChequeRun {
public:
    explicit ManagerChequeRun(ConversionContext& ctx)
        : m_ctx(ctx),
          m_assembly(ctx),
          m_progress(ctx.op),
          // Cheques are reported without Dcp_Err rows.
          m_log(ctx.state, ctx.request.companyId, nullptr),
          m_details(ctx.request.printDetail ? &ctx.tables : nullptr),
          m_today(ctx.clock.today().yyyymmdd()) {}

    void run();

private:
    void convertLine(const PaymentLine& line);
    void acceptLine(const PaymentLine& line);
    void rejectLine(const PaymentLine& line);
    void finish();
    void report();

    ConversionContext& m_ctx;
    BankFileAssembly m_assembly;
    Progress m_progress;
    RejectionLog m_log;
    InvoiceRecords m_invoices;
    TableStore* m_details;
    std::string m_today;
    bool m_anyLine = false;
    std::string m_lastDueDate;
    std::string m_lastDebitAccount;
    long m_accepted = 0;
    std::int64_t m_totalThousandths = 0;
};

void ManagerChequeRun::run() {
    const ConversionRequest& request = m_ctx.request;
    long lineTotal = lineCountLessOne(request.sourceFile);
    if (lineTotal == 0) {
        lineTotal = 1;
    }
    m_assembly.openBankFile();
    LineReader source(request.sourceFile);
    m_invoices.openInvoiceFile(request.invoiceFile);
    RunTables tables(m_ctx.tables, m_details != nullptr);
    if (m_details != nullptr) {
        clearRejectionTable(m_ctx.tables);
        tables.clear({schema::McpDetail, schema::WhtDetail, schema::InvoiceDetail});
    }
    try {
        std::string text;
        while (source.next(text)) {
            PaymentLine line(text, source.lineNumber());
            convertLine(line);
            m_progress.show(line.number(), lineTotal);
        }
    } catch (const ChequeRunStop& stop) {
        m_ctx.op.showMessage(stop.message);
        return;
    }
    finish();
    tables.commit();
    report();
}

void ManagerChequeRun::convertLine(const PaymentLine& line) {
    resetRecordTemplates(m_ctx.state.templates);
    std::string year = line.field(37, 40);
    std::string month = line.field(42, 43);
    std::string day = line.field(45, 46);
    m_anyLine = true;
    m_lastDueDate = year + month + day;
    m_lastDebitAccount = line.field(27, 36) + std::string(15, ' ');

    // Blanks or a sign pass the date check but would put a malformed date into record 002.
    if (!dateCheck(year, month, day) || !isDigits(m_lastDueDate)) {
        throw ChequeRunStop{"Invalid  CHEQUE_DUE_DATE"};
    }
    if (m_lastDueDate < m_today) {
        throw ChequeRunStop{"CHEQUE_DUE_DATE should be today or future date"};
    }
    if (!accountCheck(line.field(27, 36))) {
        throw ChequeRunStop{"Invalid ZVB debit account"};
    }
    std::string amount = line.field(47, 59);
    if (amount != kZeroAmount && amountCheck(amount)) {
        acceptLine(line);
    } else {
        rejectLine(line);
    }
}

void ManagerChequeRun::acceptLine(const PaymentLine& line) {
    RecordTemplates& templates = m_ctx.state.templates;
    ++m_accepted;
    fillChequeHead(templates.r003, line, BankFileAssembly::sequenceText(m_accepted));
    if (templates.r003.get(8) == "Y" && m_ctx.request.invoiceFile.empty()) {
        throw ChequeRunStop{"This payment file must have invoice data"};
    }
    fillChequeRest(templates.r003, line, m_ctx.state.settings.DefaultBranchCode);
    writeRecord(m_assembly, templates.r003);
    fillPayee(templates.r004, line, templates.r003);
    writeRecord(m_assembly, templates.r004);
    if (m_details != nullptr) {
        m_details->appendRow(schema::McpDetail, chequeDetailRow(line, templates.r003, templates.r004));
    }
    writeTaxRecords(line, templates.r003, templates.r005, m_assembly, m_details);
    if (templates.r003.get(8) == "Y") {
        m_invoices.writeInvoiceRecords(line, templates.r003, templates.r006, m_ctx.state.settings.Print,
                                       m_assembly, m_details);
    }
    BankFileAssembly::addToTotal(m_totalThousandths, amountAt(templates.r003.get(4), line.where()));
}

void ManagerChequeRun::rejectLine(const PaymentLine& line) {
    m_invoices.skipRejectedInvoices(line);
    bool zero = line.field(47, 59) == kZeroAmount;
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

void ManagerChequeRun::finish() {
    m_assembly.writeTrailerLine(m_accepted, m_totalThousandths);
    m_ctx.state.runSummary = m_log.runSummary();

    RecordTemplate& r002 = m_ctx.state.templates.r002;
    r002.set(1, "002");
    r002.set(2, "MCP");
    if (m_anyLine) {
        const std::string& account = m_lastDebitAccount;
        std::string digit = "0" + account.substr(3, 1);
        std::string branch = "0" + account.substr(0, 3);
        r002.set(3, m_lastDueDate);
        // Fields 11 to 13 (fee account) repeat fields 4 to 6 (debit account).
        for (int offset : {0, 7}) {
            r002.set(4 + offset, account);
            r002.set(5 + offset, digit);
            r002.set(6 + offset, branch);
        }
    }
    r002.set(7, "THB");
    r002.set(8, m_assembly.totalText());
    r002.set(9, "00000001");
    r002.set(10, m_assembly.countText());
    m_assembly.finishBankFile(r002.line());
}

void ManagerChequeRun::report() {
    const RecordTemplate& r002 = m_ctx.state.templates.r002;
    std::string valueDate = toDayMonthYear(r002.get(3));
    if (m_details != nullptr) {
        showMcpDetailReport(m_ctx, kCaption, valueDate, r002.get(4));
    } else {
        showResultReport(m_ctx, kCaption, m_totalThousandths > 0 ? "0000001" : "0000000",
                         std::to_string(m_accepted), m_assembly.totalText(), valueDate, "", "");
    }
}

}  // namespace

void convertManagerCheque(ConversionContext& ctx) {
    ManagerChequeRun run(ctx);
    run.run();
}

}  // namespace convertor

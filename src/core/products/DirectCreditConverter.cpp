#include "products/DirectCreditConverter.h"

#include "bankfile/AmountText.h"
#include "bankfile/FieldChecks.h"
#include "bankfile/RejectionLog.h"
#include "base/ConversionError.h"
#include "products/BankFileAssembly.h"
#include "products/ConversionContext.h"
#include "products/RunTables.h"
#include "refdata/Schema.h"
#include "refdata/TableStore.h"
#include "reports/ReportOperations.h"
#include "text/LineReader.h"
#include "text/Trim.h"

namespace convertor {

namespace {

// Where the fields of the two source layouts lie. The nine-digit layout is told by a header
// whose first nine characters are blanks.
struct SourceLayout {
    bool nineDigit;
    std::size_t headerShift;  // header fields lie one column further right in the nine-digit layout
    std::size_t amountLast;   // 28 or 26
    std::size_t nameFirst;    // 29 or 27
    std::string amountPrefix;

    explicit SourceLayout(std::string_view header)
        : nineDigit(columns(header, 1, 9) == "         "),
          headerShift(nineDigit ? 1 : 0),
          amountLast(nineDigit ? 26 : 28),
          nameFirst(nineDigit ? 27 : 29),
          amountPrefix(nineDigit ? "000000" : "0000") {}

    std::size_t amountWidth() const { return amountLast - 17; }
    std::string amountColumns() const { return "18-" + std::to_string(amountLast); }
};

struct Header {
    std::string companyName;
    std::string day, month, year2;
    long recordCount = 0;

    std::string effectiveDate() const { return "20" + year2 + month + day; }
    std::string valueDate() const { return day + "/" + month + "/20" + year2; }
};

Header readHeader(const std::string& line, const SourceLayout& layout) {
    std::size_t s = layout.headerShift;
    Header header;
    header.companyName = std::string(columns(line, 16 + s, 45 + s));
    header.day = std::string(columns(line, 48 + s, 49 + s));
    header.month = std::string(columns(line, 50 + s, 51 + s));
    header.year2 = std::string(columns(line, 52 + s, 53 + s));
    header.recordCount = toWholeNumber(std::string(columns(line, 54 + s, 58 + s)), 1);
    return header;
}

// DateCheck takes signs and blanks in a whole number; in the bank file only digits will do.
bool validEffectiveDate(const Header& header) {
    return dateCheck("20" + header.year2, header.month, header.day) && isDigits(header.day) &&
           header.day.size() == 2 && isDigits(header.month) && header.month.size() == 2 &&
           isDigits(header.year2) && header.year2.size() == 2;
}

class DirectCreditRun {
public:
    explicit DirectCreditRun(ConversionContext& ctx)
        : m_ctx(ctx),
          m_state(ctx.state),
          m_printDetail(ctx.request.printDetail),
          m_bank(ctx),
          m_progress(ctx.op),
          m_log(ctx.state, ctx.request.companyId, m_printDetail ? &ctx.tables : nullptr) {}

    void run() {
        LineReader source(m_ctx.request.sourceFile);
        m_bank.openBankFile();
        std::string line;
        source.next(line);
        SourceLayout layout(line);
        Header header = readHeader(line, layout);
        if (!validEffectiveDate(header)) {
            m_ctx.op.showMessage("Invalid EFFECTIVE-DATE");
            return;
        }
        if (header.effectiveDate() < m_ctx.clock.today().yyyymmdd()) {
            m_ctx.op.showMessage("EFFECTIVE-DATE should be today or future date");
            return;
        }
        RunTables tables(m_ctx.tables, m_printDetail);
        if (m_printDetail) {
            tables.clear({schema::DcpDetail});
            clearRejectionTable(m_ctx.tables);
        }
        while (source.next(line)) {
            convertLine(line, source.lineNumber(), layout);
            m_progress.show(source.lineNumber(), header.recordCount);
        }
        finish(header);
        tables.commit();
        report(header);
    }

private:
    void convertLine(const std::string& line, long lineNumber, const SourceLayout& layout) {
        std::string account(columns(line, 1, 10));
        std::string_view amount = columns(line, 18, layout.amountLast);
        std::string amountField = layout.amountPrefix + std::string(amount) + "0";
        // A line cut inside its amount columns has no whole amount: refused as invalid.
        bool amountCut = amount.size() < layout.amountWidth();

        bool accountZero = account == "0000000000";
        bool amountZero = amountField == "0000000000000000";
        bool amountValid = !amountCut && amountCheck(amount);
        bool accountValid = accountCheck(account);
        if (!accountZero && !amountZero && amountValid && accountValid) {
            accept(line, lineNumber, layout, account, amountField);
            return;
        }
        if (accountZero) {
            reject(RejectionKind::InvalidAcct, lineNumber, "1-10", "Account is zero");
        } else if (!accountValid) {
            reject(RejectionKind::InvalidAcct, lineNumber, "1-10", "Account is invalid ZVB account");
        }
        if (amountZero) {
            reject(RejectionKind::CreditZeroAmount, lineNumber, layout.amountColumns(),
                   "Credit amount is zero");
        }
        if (!amountValid) {
            reject(RejectionKind::CreditAmountInvalid, lineNumber, layout.amountColumns(),
                   "Credit amount less than zero or invalid number");
        }
    }

    void accept(const std::string& line, long lineNumber, const SourceLayout& layout,
                const std::string& account, const std::string& amountField) {
        auto value = amountThousandths(amountField);
        if (!value) {
            throw notAFloat(amountWithPoint(amountField), lineNumber);
        }
        resetRecordTemplates(m_state.templates);
        ++m_accepted;
        RecordTemplate& r003 = m_state.templates.r003;
        r003.set(2, BankFileAssembly::sequenceText(m_accepted));
        r003.set(3, account + fillString(' ', 15));
        r003.set(4, amountField);
        r003.set(6, "00000001");
        r003.set(22, "014");
        r003.set(24, "0" + account.substr(0, 3));
        m_bank.writeRecordLine(r003.line());
        BankFileAssembly::addToTotal(m_total, *value);

        std::string name =
            blankControlBytes(trimView(columns(line, layout.nameFirst, layout.nameFirst + 59)));
        if (!name.empty()) {
            RecordTemplate& r004 = m_state.templates.r004;
            r004.set(2, "00000001");
            r004.set(3, r003.get(2));
            if (thaiTextCheck(name, name.size())) {
                r004.set(5, padRight(name, 100));
            } else {
                r004.set(10, padRight(name, 70));
            }
            m_bank.writeRecordLine(r004.line());
        }
        if (m_printDetail) {
            m_ctx.tables.appendRow(
                schema::DcpDetail,
                {{schema::AcNo, r003.get(3)}, {schema::Amount, amountValue(*value)}, {schema::Name, name}});
        }
    }

    void reject(RejectionKind kind, long lineNumber, const std::string& columnText,
                const std::string& message) {
        bool accountRow = kind == RejectionKind::InvalidAcct;
        m_log.logRejection({kind, lineNumber, "  Column : " + columnText, "  " + message,
                            accountRow ? "Account" : "Amount", columnText, message});
    }

    void finish(const Header& header) {
        m_bank.writeTrailerLine(m_accepted, m_total);
        // The request checked the trimmed entries; leading blanks typed before them would shift
        // the digit and branch fields.
        std::string debit(trimView(m_ctx.request.debitAccount));
        std::string fee(trimView(m_ctx.request.feeAccount));
        RecordTemplate& r002 = m_state.templates.r002;
        r002.reset();
        r002.set(2, m_state.productCode);
        r002.set(3, header.effectiveDate());
        r002.set(4, padRight(debit, 25));
        r002.set(5, "0" + debit.substr(3, 1));
        r002.set(6, "0" + debit.substr(0, 3));
        r002.set(8, m_bank.totalText());
        r002.set(10, m_bank.countText());
        r002.set(11, padRight(fee, 25));
        r002.set(12, "0" + fee.substr(3, 1));
        r002.set(13, "0" + fee.substr(0, 3));
        m_state.runSummary = m_log.runSummary();
        m_bank.finishBankFile(r002.line());
    }

    void report(const Header& header) {
        std::string caption = productCaption(*m_ctx.request.product);
        if (m_printDetail) {
            showDcpDetailReport(m_ctx, caption, header.valueDate(), header.companyName);
        } else {
            showResultReport(m_ctx, caption, m_total > 0 ? "000001" : "000000", std::to_string(m_accepted),
                             m_bank.totalText(), header.valueDate(), header.companyName, "Company Name : ");
        }
    }

    ConversionContext& m_ctx;
    ConversionState& m_state;
    bool m_printDetail;
    BankFileAssembly m_bank;
    Progress m_progress;
    RejectionLog m_log;
    long m_accepted = 0;
    std::int64_t m_total = 0;
};

}  // namespace

void convertDirectCredit(ConversionContext& ctx) {
    DirectCreditRun(ctx).run();
}

}  // namespace convertor

#include "products/DirectCreditConverter.h"

#include "bankfile/AmountText.h"
#include "bankfile/FieldChecks.h"
#include "base/ConversionError.h"
#include "products/ProductRun.h"
#include "products/RecordFill.h"
#include "refdata/Schema.h"
#include "refdata/TableStore.h"
#include "text/LineReader.h"
#include "text/Numbers.h"
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

// dateCheck takes signs and blanks in a whole number; in the bank file only digits will do.
bool validEffectiveDate(const Header& header) {
    return dateCheck("20" + header.year2, header.month, header.day) && isDigits(header.day) &&
           header.day.size() == 2 && isDigits(header.month) && header.month.size() == 2 &&
           isDigits(header.year2) && header.year2.size() == 2;
}

class DirectCreditRun : public ProductRun {
public:
    explicit DirectCreditRun(ConversionContext& ctx) : ProductRun(ctx, true) {}

private:
    void begin(LineReader& source) override {
        std::string line;
        source.next(line);
        m_layout = SourceLayout(line);
        m_header = readHeader(line, m_layout);
        if (!validEffectiveDate(m_header)) {
            throw RunStop{"Invalid EFFECTIVE-DATE"};
        }
        if (m_header.effectiveDate() < m_ctx.today.yyyymmdd()) {
            throw RunStop{"EFFECTIVE-DATE should be today or future date"};
        }
        m_progressTotal = m_header.recordCount;
    }

    std::vector<const char*> detailTables() const override { return {schema::dcpDetail::kTable}; }

    void convertLine(const std::string& line, long lineNumber) override {
        std::string_view account = columns(line, 1, 10);
        std::string_view amount = columns(line, 18, m_layout.amountLast);
        std::string& amountField = m_amountField;
        amountField.assign(m_layout.amountPrefix);
        amountField.append(amount);
        amountField.push_back('0');
        // A line cut inside its amount columns has no whole amount: refused as invalid.
        bool amountCut = amount.size() < m_layout.amountWidth();

        bool accountZero = account == "0000000000";
        bool amountZero = amountField == "0000000000000000";
        bool amountValid = !amountCut && amountCheck(amount);
        bool accountValid = accountCheck(account);
        if (!accountZero && !amountZero && amountValid && accountValid) {
            accept(line, lineNumber, account, amountField);
            return;
        }
        if (accountZero) {
            reject(RejectionKind::InvalidAcct, lineNumber, "1-10", "Account is zero");
        } else if (!accountValid) {
            reject(RejectionKind::InvalidAcct, lineNumber, "1-10", "Account is invalid ZVB account");
        }
        if (amountZero) {
            reject(RejectionKind::CreditZeroAmount, lineNumber, m_layout.amountColumns(),
                   "Credit amount is zero");
        }
        if (!amountValid) {
            reject(RejectionKind::CreditAmountInvalid, lineNumber, m_layout.amountColumns(),
                   "Credit amount less than zero or invalid number");
        }
    }

    void accept(const std::string& line, long lineNumber, std::string_view account,
                const std::string& amountField) {
        auto value = amountThousandths(amountField);
        if (!value) {
            throw notAFloat(amountWithPoint(amountField), lineNumber);
        }
        resetRecordTemplates(m_templates);
        RecordTemplate<3>& r003 = m_templates.r003;
        r003.set(Record003::CreditSequence, nextSequence());
        r003.fill(Record003::CreditAccount, account);
        r003.set(Record003::CreditAmount, amountField);
        r003.set(Record003::BatchReference, "00000001");
        r003.set(Record003::ReceivingBankCode, kOwnBankCode);
        // A valid account has ten digits.
        const char branch[4] = {'0', account[0], account[1], account[2]};
        r003.set(Record003::ReceivingBranchCode, std::string_view(branch, 4));
        m_bank.writeRecord(r003);
        addToTotal(*value);

        std::string_view name = trimView(columns(line, m_layout.nameFirst, m_layout.nameFirst + 59));
        if (!name.empty()) {
            std::size_t size = name.size();
            name = recordColumns(name, 1, size, m_name);
            RecordTemplate<4>& r004 = m_templates.r004;
            r004.set(Record004::CreditSequence, r003.view(Record003::CreditSequence));
            fillPayeeName(r004, name);
            m_bank.writeRecord(r004);
        }
        if (m_printDetail) {
            m_ctx.tables.appendRow(schema::dcpDetail::kTable,
                                   {{schema::dcpDetail::kAccountNo, r003.get(Record003::CreditAccount)},
                                    {schema::dcpDetail::kAmount, amountValue(*value)},
                                    {schema::dcpDetail::kName, std::string(name)}});
        }
    }

    void reject(RejectionKind kind, long lineNumber, const std::string& columnText,
                const std::string& message) {
        bool accountRow = kind == RejectionKind::InvalidAcct;
        m_log.logRejection({kind, lineNumber, "  Column : " + columnText, "  " + message,
                            accountRow ? "Account" : "Amount", columnText, message});
    }

    void fillDebitSide(RecordTemplate<2>& r002) override {
        // The request checked the trimmed entries; leading blanks typed before them would shift
        // the digit and branch fields.
        r002.set(Record002::ValueDate, m_header.effectiveDate());
        fillDebitAccount(r002, trimView(m_ctx.request.debitAccount));
        fillFeeAccount(r002, trimView(m_ctx.request.feeAccount));
    }

    RunReport report() const override {
        std::string caption = productCaption(*m_ctx.request.product);
        if (!m_printDetail) {
            return resultReport(caption, m_header.valueDate(), m_header.companyName, "Company Name : ");
        }
        return detailReport(ReportKind::DcpDetail, caption, m_header.valueDate(), m_header.companyName);
    }

    SourceLayout m_layout{""};
    Header m_header;
    // Reused from line to line.
    std::string m_amountField;
    std::string m_name;
};

}  // namespace

ConverterResult convertDirectCredit(ConversionContext& ctx) {
    return DirectCreditRun(ctx).run();
}

}  // namespace convertor

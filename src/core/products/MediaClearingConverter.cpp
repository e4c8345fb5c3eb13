#include "products/MediaClearingConverter.h"

#include <cstdint>
#include <optional>
#include <string>

#include "bankfile/AmountText.h"
#include "bankfile/FieldChecks.h"
#include "base/Clock.h"
#include "base/ConversionError.h"
#include "products/BankBranchLookup.h"
#include "products/MediaClearingChecks.h"
#include "products/MediaClearingLine.h"
#include "products/ProductRun.h"
#include "products/RecordFill.h"
#include "refdata/Schema.h"
#include "refdata/TableStore.h"
#include "text/LineReader.h"
#include "text/Numbers.h"
#include "text/Trim.h"

namespace convertor {

namespace {

constexpr const char* kCaption = "Media Clearing";
constexpr const char* kBatchReference = "00000001";

struct Header {
    long recordCount = 0;
    std::string companyName;
    std::string dateText;  // YYYYMMDD
};

class MediaClearingRun : public ProductRun {
public:
    explicit MediaClearingRun(ConversionContext& ctx) : ProductRun(ctx, true), m_lookup(ctx.tables) {
        // The progress bar counts detail lines, not the header.
        m_progressOffset = 1;
    }

private:
    void begin(LineReader& source) override;
    // Unknown bank and branch codes are added to the reference tables in every run.
    bool writesTables() const override { return true; }
    std::vector<const char*> detailTables() const override { return {schema::mclDetail::kTable}; }
    void convertLine(const std::string& line, long lineNumber) override;
    void acceptLine(const MediaClearingLine& fields, long lineNumber, const BankBranchLookup::Name& bankName,
                    const BankBranchLookup::Name& branchName);
    void writePayee(const MediaClearingLine& fields);
    void fillDebitSide(RecordTemplate<2>& r002) override;
    RunReport report() const override;

    BankBranchLookup m_lookup;
    Header m_header;
    std::string m_lastLine;
    // Reused from line to line.
    std::string m_amountText;
    std::string m_buffer;
};

void MediaClearingRun::begin(LineReader& source) {
    std::string line;
    source.next(line);
    m_header.recordCount = toWholeNumber(std::string(columns(line, 41, 46)), 1);
    m_header.companyName = std::string(columns(line, 53, 82));
    std::string_view year = columns(line, 35, 38);
    std::string_view month = columns(line, 33, 34);
    std::string_view day = columns(line, 31, 32);
    m_header.dateText = std::string(year) + std::string(month) + std::string(day);
    // Blanks or a sign would pass the date check yet put a malformed date into record 002.
    if (!dateCheck(year, month, day) || m_header.dateText.size() != 8 || !isDigits(m_header.dateText)) {
        throw RunStop{"Invalid  EFFECTIVE DATE OF TRANSFER"};
    }
    if (!(m_header.dateText > m_ctx.today.yyyymmdd())) {
        throw RunStop{"EFFECTIVE DATE OF TRANSFER should be future date"};
    }
    m_progressTotal = m_header.recordCount;
}

void MediaClearingRun::convertLine(const std::string& line, long lineNumber) {
    MediaClearingLine fields(line);
    if (!accountCheck(fields.debitAccount())) {
        throw RunStop{"Invalid ZVB debit account"};
    }
    resetRecordTemplates(m_templates);
    m_lastLine = line;
    const BankBranchLookup::Name& bankName = m_lookup.bank(fields.bankCode());
    const BankBranchLookup::Name& branchName = m_lookup.branch(fields.bankCode(), fields.branchCode());
    std::vector<RejectionEntry> rejections = fields.rejections(lineNumber);
    if (rejections.empty()) {
        acceptLine(fields, lineNumber, bankName, branchName);
    }
    for (const RejectionEntry& entry : rejections) {
        m_log.logRejection(entry);
    }
}

void MediaClearingRun::acceptLine(const MediaClearingLine& fields, long lineNumber,
                                  const BankBranchLookup::Name& bankName,
                                  const BankBranchLookup::Name& branchName) {
    std::string& amountText = m_amountText;
    amountText.assign("000");
    amountText.append(fields.amountChars());
    amountText.push_back('0');
    // amountCheck lets through signs, blanks, points and exponents, which have no amount text value.
    std::optional<std::int64_t> thousandths = amountThousandths(amountText);
    if (!thousandths) {
        throw notAFloat(amountWithPoint(amountText), lineNumber);
    }
    RecordTemplate<3>& r003 = m_templates.r003;
    r003.set(Record003::CreditSequence, nextSequence());
    r003.fill(Record003::CreditAccount, fields.creditAccountColumns(m_buffer));
    r003.set(Record003::CreditAmount, amountText);
    r003.set(Record003::BatchReference, kBatchReference);
    r003.set(Record003::ReceivingBankCode, fields.bankCode());
    r003.set(Record003::ReceivingBankName, bankName.field);
    r003.set(Record003::ReceivingBranchCode, fields.branchCode());
    r003.set(Record003::ReceivingBranchName, branchName.field);
    r003.set(Record003::ServiceType, fields.serviceTypeField(m_buffer));
    m_bank.writeRecord(r003);
    addToTotal(*thousandths);

    writePayee(fields);

    if (m_printDetail) {
        std::optional<std::string> caption = serviceTypeCaption(fields.serviceTypeField());
        m_ctx.tables.appendRow(
            schema::mclDetail::kTable,
            {{schema::mclDetail::kAccount, r003.get(Record003::CreditAccount)},
             {schema::mclDetail::kBankCode, std::string(fields.bankCode())},
             {schema::mclDetail::kBranchCode, std::string(fields.branchCode())},
             {schema::mclDetail::kAmount, amountValue(*thousandths)},
             {schema::mclDetail::kServiceType, caption ? TableValue(*caption) : TableValue()},
             {schema::mclDetail::kName, fields.payeeNameField()}});
    }
}

void MediaClearingRun::writePayee(const MediaClearingLine& fields) {
    RecordTemplate<4>& r004 = m_templates.r004;
    r004.set(Record004::BatchReference, kBatchReference);
    r004.set(Record004::CreditSequence, m_templates.r003.view(Record003::CreditSequence));
    std::string_view payeeId = fields.payeeIdField(m_buffer);
    r004.fill(Record004::PayeeId, payeeId == "0000000000" ? std::string_view() : payeeId);
    fillPayeeName(r004, fields.payeeNameField(m_buffer));
    m_bank.writeRecord(r004);
}

void MediaClearingRun::fillDebitSide(RecordTemplate<2>& r002) {
    MediaClearingLine last(m_lastLine);
    std::string debitAccount = last.debitAccountField();
    std::string branchField = last.debitBranchField();
    r002.set(Record002::ValueDate, m_header.dateText);
    // Both sides are the debit account of the last line, with its branch code as it stands.
    fillDebitAccount(r002, debitAccount);
    fillFeeAccount(r002, debitAccount);
    r002.set(Record002::DebitBranchCode, branchField);
    r002.set(Record002::FeeBranchCode, branchField);
}

RunReport MediaClearingRun::report() const {
    std::string valueDate = toDayMonthYear(m_header.dateText);
    if (!m_printDetail) {
        return resultReport(kCaption, valueDate, m_header.companyName, "Company Name : ");
    }
    return detailReport(ReportKind::MclDetail, kCaption, valueDate, m_header.companyName,
                        std::string(MediaClearingLine(m_lastLine).debitAccount()));
}

}  // namespace

ConverterResult convertMediaClearing(ConversionContext& ctx) {
    return MediaClearingRun(ctx).run();
}

}  // namespace convertor

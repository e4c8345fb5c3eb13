#include "products/MediaClearingConverter.h"

#include <cstdint>
#include <optional>
#include <string>

#include "bankfile/AmountText.h"
#include "bankfile/FieldChecks.h"
#include "bankfile/RecordTemplates.h"
#include "bankfile/RejectionLog.h"
#include "base/ConversionError.h"
#include "products/BankBranchLookup.h"
#include "products/BankFileAssembly.h"
#include "products/ConversionContext.h"
#include "products/MediaClearingChecks.h"
#include "products/MediaClearingLine.h"
#include "products/RunTables.h"
#include "refdata/Schema.h"
#include "refdata/TableStore.h"
#include "reports/ReportOperations.h"
#include "text/LineReader.h"
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

class MediaClearingRun {
public:
    explicit MediaClearingRun(ConversionContext& ctx)
        : m_ctx(ctx),
          m_assembly(ctx),
          m_progress(ctx.op),
          m_log(ctx.state, ctx.request.companyId, ctx.request.printDetail ? &ctx.tables : nullptr),
          m_lookup(ctx.tables) {}

    void run();

private:
    bool readHeader(LineReader& source);
    bool convertLine(const std::string& line, long lineNumber);
    void acceptLine(const MediaClearingLine& fields, long lineNumber, const std::string& bankName,
                    const std::string& branchName);
    void writePayee(const MediaClearingLine& fields);
    void finish();
    void showReport();

    ConversionContext& m_ctx;
    BankFileAssembly m_assembly;
    Progress m_progress;
    RejectionLog m_log;
    BankBranchLookup m_lookup;
    Header m_header;
    std::string m_lastLine;
    long m_accepted = 0;
    std::int64_t m_totalThousandths = 0;
};

void MediaClearingRun::run() {
    LineReader source(m_ctx.request.sourceFile);
    m_assembly.openBankFile();
    if (!readHeader(source)) {
        return;
    }
    RunTables tables(m_ctx.tables);
    if (m_ctx.request.printDetail) {
        tables.clear({schema::MclDetail});
        clearRejectionTable(m_ctx.tables);
    }
    long counter = 1;
    std::string line;
    while (source.next(line)) {
        if (!convertLine(line, source.lineNumber())) {
            return;
        }
        m_progress.show(counter, m_header.recordCount);
        ++counter;
    }
    finish();
    tables.commit();
    showReport();
}

bool MediaClearingRun::readHeader(LineReader& source) {
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
        m_ctx.op.showMessage("Invalid  EFFECTIVE DATE OF TRANSFER");
        return false;
    }
    if (!(m_header.dateText > m_ctx.clock.today().yyyymmdd())) {
        m_ctx.op.showMessage("EFFECTIVE DATE OF TRANSFER should be future date");
        return false;
    }
    return true;
}

bool MediaClearingRun::convertLine(const std::string& line, long lineNumber) {
    MediaClearingLine fields(line);
    if (!accountCheck(fields.debitAccount())) {
        m_ctx.op.showMessage("Invalid ZVB debit account");
        return false;
    }
    resetRecordTemplates(m_ctx.state.templates);
    m_lastLine = line;
    std::string bankName = m_lookup.bankName(fields.bankCode());
    std::string branchName = m_lookup.branchName(fields.bankCode(), fields.branchCode());
    std::vector<RejectionEntry> rejections = fields.rejections(lineNumber);
    if (rejections.empty()) {
        acceptLine(fields, lineNumber, bankName, branchName);
    }
    for (const RejectionEntry& entry : rejections) {
        m_log.logRejection(entry);
    }
    return true;
}

void MediaClearingRun::acceptLine(const MediaClearingLine& fields, long lineNumber,
                                  const std::string& bankName, const std::string& branchName) {
    std::string amountText = fields.amountFieldText();
    // AmountCheck lets through signs, blanks, points and exponents, which have no amount text value.
    std::optional<std::int64_t> thousandths = amountThousandths(amountText);
    if (!thousandths) {
        throw notAFloat(amountWithPoint(amountText), lineNumber);
    }
    ++m_accepted;
    RecordTemplate& r003 = m_ctx.state.templates.r003;
    r003.set(2, BankFileAssembly::sequenceText(m_accepted));
    r003.set(3, fields.creditAccountField());
    r003.set(4, amountText);
    r003.set(6, kBatchReference);
    r003.set(22, fields.bankCode());
    r003.set(23, padRight(blankControlBytes(bankName), 35));
    r003.set(24, fields.branchCode());
    r003.set(25, padRight(blankControlBytes(branchName), 35));
    r003.set(31, fields.serviceTypeField());
    m_assembly.writeRecordLine(r003.line());
    BankFileAssembly::addToTotal(m_totalThousandths, *thousandths);

    writePayee(fields);

    if (m_ctx.request.printDetail) {
        std::optional<std::string> caption = serviceTypeCaption(fields.serviceTypeField());
        m_ctx.tables.appendRow(schema::MclDetail,
                               {{schema::Acct, r003.get(3)},
                                {schema::MclBankCode, std::string(fields.bankCode())},
                                {schema::MclBranchCode, std::string(fields.branchCode())},
                                {schema::Amount, amountValue(*thousandths)},
                                {schema::ServiceType, caption ? TableValue(*caption) : TableValue()},
                                {schema::Name, fields.payeeNameField()}});
    }
}

void MediaClearingRun::writePayee(const MediaClearingLine& fields) {
    RecordTemplate& r004 = m_ctx.state.templates.r004;
    r004.set(2, kBatchReference);
    r004.set(3, m_ctx.state.templates.r003.get(2));
    std::string payeeId = fields.payeeIdField();
    r004.set(4, payeeId == "0000000000" ? std::string(15, ' ') : payeeId + std::string(5, ' '));
    std::string name = fields.payeeNameField();
    if (thaiTextCheck(name, 23)) {
        r004.set(5, name + std::string(77, ' '));
    } else {
        r004.set(10, name + std::string(47, ' '));
    }
    m_assembly.writeRecordLine(r004.line());
}

void MediaClearingRun::finish() {
    m_assembly.writeTrailerLine(m_accepted, m_totalThousandths);
    m_ctx.state.runSummary = m_log.runSummary();

    MediaClearingLine last(m_lastLine);
    std::string debitAccount = last.debitAccountField();
    std::string accountField = debitAccount + std::string(15, ' ');
    std::string digitField = std::string("0") + debitAccount[3];
    std::string branchField = last.debitBranchField();
    RecordTemplate& r002 = m_ctx.state.templates.r002;
    r002.set(2, "MCL");
    r002.set(3, m_header.dateText);
    r002.set(4, accountField);
    r002.set(5, digitField);
    r002.set(6, branchField);
    r002.set(8, m_assembly.totalText());
    r002.set(9, kBatchReference);
    r002.set(10, m_assembly.countText());
    r002.set(11, accountField);
    r002.set(12, digitField);
    r002.set(13, branchField);
    m_assembly.finishBankFile(r002.line());
}

void MediaClearingRun::showReport() {
    std::string valueDate = toDayMonthYear(m_header.dateText);
    if (m_ctx.request.printDetail) {
        showMclDetailReport(m_ctx, kCaption, valueDate, m_header.companyName,
                            std::string(MediaClearingLine(m_lastLine).debitAccount()));
        return;
    }
    showResultReport(m_ctx, kCaption, m_totalThousandths > 0 ? "000001" : "000000",
                     std::to_string(m_accepted), m_assembly.totalText(), valueDate, m_header.companyName,
                     "Company Name : ");
}

}  // namespace

void convertMediaClearing(ConversionContext& ctx) {
    MediaClearingRun run(ctx);
    run.run();
}

}  // namespace convertor

#include "products/ProductRun.h"

#include <exception>

#include "bankfile/FieldChecks.h"
#include "products/RunTables.h"
#include "text/LineReader.h"

namespace convertor {

namespace {

// While the bank file is finished, a report of the rows may be read from the tables; they are
// back before they are committed, and on a failure the report is abandoned.
class TablesLent {
public:
    template <typename MakeReport>
    TablesLent(ConversionContext& ctx, bool detail, MakeReport makeReport, bool digestToCome) : m_ctx(ctx) {
        m_lent = detail && ctx.linesConverted && ctx.linesConverted(makeReport(), digestToCome);
    }
    ~TablesLent() {
        if (m_lent) {
            m_ctx.tablesBack(std::uncaught_exceptions() > m_exceptions);
        }
    }
    TablesLent(const TablesLent&) = delete;
    TablesLent& operator=(const TablesLent&) = delete;

private:
    ConversionContext& m_ctx;
    bool m_lent = false;
    int m_exceptions = std::uncaught_exceptions();
};

}  // namespace

ProductRun::ProductRun(ConversionContext& ctx, bool keepRejectionRows)
    : m_ctx(ctx),
      m_templates(ctx.state.templates),
      m_printDetail(ctx.request.printDetail),
      m_bank(ctx),
      m_rejectionRows(ctx.tables),
      m_log(ctx.outputs, ctx.state.rejectionFlags,
            keepRejectionRows && m_printDetail ? &m_rejectionRows : nullptr),
      m_progress(ctx.op) {}

RunReport ProductRun::run() {
    LineReader source(m_ctx.request.sourceFile);
    m_bank.openBankFile();
    if (!begin(source)) {
        return {};
    }
    RunTables tables(m_ctx.tables, writesTables());
    if (m_printDetail) {
        for (const char* table : detailTables()) {
            tables.clear({table});
        }
        clearRejectionTable(m_ctx.tables);
    }
    std::string line;
    while (source.next(line)) {
        if (!convertLine(line, source.lineNumber())) {
            return {};
        }
        m_progress.show(source.lineNumber() - m_progressOffset, m_progressTotal);
    }
    finish();
    tables.commit();
    RunReport result = report();
    result.digest = m_digest;
    result.packed = m_bank.packed();
    result.problems = m_bank.problems();
    return result;
}

void ProductRun::finish() {
    m_bank.writeTrailerLine(m_accepted, m_total);
    m_ctx.state.runSummary = m_log.runSummary();
    RecordTemplate<2>& r002 = m_templates.r002;
    r002.reset();
    r002.set(Record002::ProductCode, m_ctx.state.productCode);
    fillDebitSide(r002);
    r002.set(Record002::TotalAmount, m_bank.totalText());
    r002.set(Record002::CreditCount, m_bank.countText());
    // What the report shows is known now: it may be written while the bank file is finished.
    TablesLent lent(m_ctx, m_printDetail, [&] { return report(); }, m_total > 0);
    m_digest = m_bank.finishBankFile(r002.line());
}

std::string ProductRun::nextSequence() {
    return BankFileAssembly::sequenceText(++m_accepted);
}

RunReport ProductRun::resultReport(std::string payType, std::string valueDate, std::string companyName,
                                   std::string companyCaption, std::size_t debitRecordWidth) const {
    RunReport result;
    result.kind = ReportKind::Result;
    result.payType = std::move(payType);
    result.debitRecord = padLeftZeros(m_total > 0 ? "1" : "0", debitRecordWidth);
    result.creditRecord = std::to_string(m_accepted);
    result.amountText = m_bank.totalText();
    result.valueDate = std::move(valueDate);
    result.companyName = std::move(companyName);
    result.companyCaption = std::move(companyCaption);
    return result;
}

RunReport ProductRun::detailReport(ReportKind kind, std::string payType, std::string valueDate,
                                   std::string companyName, std::string debitAccount) {
    RunReport detail;
    detail.kind = kind;
    detail.payType = std::move(payType);
    detail.valueDate = std::move(valueDate);
    detail.companyName = std::move(companyName);
    detail.debitAccount = std::move(debitAccount);
    return detail;
}

}  // namespace convertor

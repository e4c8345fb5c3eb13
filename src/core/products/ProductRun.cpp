#include "products/ProductRun.h"

#include "base/ConversionError.h"
#include "products/RunTables.h"
#include "text/LineReader.h"
#include "text/Padding.h"

namespace convertor {

ProductRun::ProductRun(ConversionContext& ctx, bool keepRejectionRows)
    : m_ctx(ctx),
      m_printDetail(ctx.request.printDetail),
      m_bank(ctx),
      m_log(ctx.outputs, keepRejectionRows && m_printDetail ? &ctx.tables : nullptr),
      m_progress(ctx.op) {}

ConverterResult ProductRun::run() {
    ConverterResult result;
    try {
        convertSource(result);
    } catch (const RunStop& stop) {
        result.stopped = true;
        result.stopMessage = stop.message;
    }
    return result;
}

void ProductRun::convertSource(ConverterResult& result) {
    LineReader source(m_ctx.request.sourceFile);
    m_bank.openBankFile();
    begin(source);
    RunTables tables(m_ctx.tables, writesTables());
    if (m_printDetail) {
        for (const char* table : detailTables()) {
            tables.clear({table});
        }
        clearRejectionTable(m_ctx.tables);
    }
    std::string line;
    while (source.next(line)) {
        if (m_ctx.op.interrupted()) {
            throw ConversionError("interrupted");
        }
        convertLine(line, source.lineNumber());
        m_progress.show(source.lineNumber() - m_progressOffset, m_progressTotal);
    }
    m_bank.writeTrailerLine(m_accepted, m_total);
    RecordTemplate<2>& r002 = m_templates.r002;
    r002.reset();
    r002.set(Record002::ProductCode, productCode(*m_ctx.request.product));
    fillDebitSide(r002);
    r002.set(Record002::TotalAmount, m_bank.totalText());
    r002.set(Record002::CreditCount, m_bank.countText());
    result.bankFile = m_bank.finishBankFile(r002.line());
    tables.commit();

    result.stopped = false;
    result.anyAccepted = m_total > 0;
    result.report = report();
    result.summary = m_log.runSummary();
    result.rejectionFlags = m_log.flags();
    result.acceptedCount = m_accepted;
    result.totalText = m_bank.totalText();
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

#include "products/BankFileAssembly.h"

#include "bankfile/AmountText.h"
#include "bankfile/RecordTemplate.h"
#include "base/ConversionError.h"
#include "output/BankFileWriter.h"
#include "output/RunOutputs.h"
#include "products/ConversionContext.h"
#include "text/Padding.h"

namespace convertor {

namespace {

constexpr long kMaxCount = 999'999;
constexpr std::int64_t kMaxTotal = 9'999'999'999'999'990;  // thousandths

ConversionError totalTooLarge() {
    return ConversionError(
        "The total amount of the accepted lines is 10,000,000,000,000 or more, which does not fit "
        "the bank file. Split the source file and convert each part.");
}

}  // namespace

BankFileAssembly::BankFileAssembly(ConversionContext& ctx) : m_ctx(ctx) {}

BankFileAssembly::~BankFileAssembly() {
    m_writer.reset();
    try {
        m_ctx.op.setProgress(0);
    } catch (...) {
        // Clean-up on the way out of a failed run must not hide the error that ended it.
    }
}

std::string BankFileAssembly::sequenceText(long acceptedCount) {
    if (acceptedCount > kMaxCount) {
        throw ConversionError(
            "The source file has more than 999,999 accepted lines, which do not fit the bank file. "
            "Split the source file and convert each part.");
    }
    return padLeftZeros(std::to_string(acceptedCount), 6);
}

void BankFileAssembly::addToTotal(std::int64_t& total, std::int64_t amount) {
    if (amount > kMaxTotal - total) {
        throw totalTooLarge();
    }
    total += amount;
}

void BankFileAssembly::openBankFile() {
    const RunOutputs& outputs = m_ctx.outputs;
    BankFileWriter::Names names;
    names.bankWork = outputs.bankWork();
    names.packWork = outputs.packWork();
    names.bankShown = outputs.names().bankFile.string();
    names.archiveShown = outputs.names().archive.string();
    m_writer = std::make_unique<BankFileWriter>(std::move(names), m_ctx.record001, m_ctx.request.product);
}

void BankFileAssembly::writeRecordLine(std::string_view record) {
    m_writer->append(record);
}

void BankFileAssembly::writeRecord(const RecordLine& record) {
    m_writer->append(record.line());
}

void BankFileAssembly::writeTrailerLine(long acceptedCount, std::int64_t totalThousandths) {
    m_countText = sequenceText(acceptedCount);
    auto total = convertor::totalText(totalThousandths);
    if (!total) {
        throw totalTooLarge();
    }
    m_totalText = *total;
    RecordTemplate<999> trailer;
    trailer.set(Record999::CreditCount, m_countText);
    trailer.set(Record999::TotalAmount, m_totalText);
    writeRecordLine(trailer.line());
}

BankFileWriter::Finished BankFileAssembly::finishBankFile(std::string_view record002) {
    auto record002Length = static_cast<std::size_t>(recordLength(2));
    if (record002.size() != record002Length) {
        throw ConversionError("Record 002 is " + std::to_string(record002.size()) + " characters long, not " +
                              std::to_string(record002Length));
    }
    BankFileWriter::Finished finished = m_writer->finish(record002);
    m_writer.reset();
    return finished;
}

}  // namespace convertor

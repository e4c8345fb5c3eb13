#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "output/BankFileWriter.h"

namespace convertor {

struct ConversionContext;
class RecordLine;

// The shared tail of every converter: the bank work file of the run's outputs, the trailer line,
// record 002 as line 2 and the digest line on top, and the Deflate of it all for the archive. The
// work file takes the place of the bank file only when the run commits its outputs, so a failure
// part-way never leaves a truncated bank file and never damages an older one.
class BankFileAssembly {
public:
    explicit BankFileAssembly(ConversionContext& ctx);
    ~BankFileAssembly();  // progress bar back to 0, the work file closed
    BankFileAssembly(const BankFileAssembly&) = delete;
    BankFileAssembly& operator=(const BankFileAssembly&) = delete;

    // Starts the bank work file with record 001.
    void openBankFile();
    void writeRecordLine(std::string_view record);
    // A lone LF or other control byte copied from a source line would break the bank's line
    // reading, so such bytes go out as blanks.
    void writeRecord(const RecordLine& record);
    // Appends the trailer. Throws ConversionError when the count or the total does not fit its
    // field.
    void writeTrailerLine(long acceptedCount, std::int64_t totalThousandths);
    // Valid after writeTrailerLine.
    const std::string& totalText() const { return m_totalText; }
    const std::string& countText() const { return m_countText; }
    // Fills in record 002 and takes the digest; the file packed for the archive, and what the
    // check of its records found, come with it.
    BankFileWriter::Finished finishBankFile(std::string_view record002);

    // The six-digit sequence text of a record 003; throws ConversionError past 999,999.
    static std::string sequenceText(long acceptedCount);
    // Adds an amount (thousandths) to a running total; throws ConversionError once the total no
    // longer fits the 16-character total field.
    static void addToTotal(std::int64_t& total, std::int64_t amount);

private:
    ConversionContext& m_ctx;
    std::unique_ptr<BankFileWriter> m_writer;
    std::string m_totalText;
    std::string m_countText;
};

}  // namespace convertor

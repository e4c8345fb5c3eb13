#pragma once

#include <sys/types.h>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace convertor {

struct ConversionContext;
class RecordLine;

// The shared tail of every converter: the bank work file of the run's outputs, the trailer line,
// record 002 as line 2 and the digest line on top. The work file keeps room for the digest line
// and record 002, which are filled in place at the end; it takes the place of the bank file only
// when the run commits its outputs, so a failure part-way never leaves a truncated bank file and
// never damages an older one.
class BankFileAssembly {
public:
    explicit BankFileAssembly(ConversionContext& ctx);
    ~BankFileAssembly();  // discardWorkFiles
    BankFileAssembly(const BankFileAssembly&) = delete;
    BankFileAssembly& operator=(const BankFileAssembly&) = delete;

    // Creates the work file holding the line buffer (record 001 and its CR LF).
    void openBankFile();
    void writeRecordLine(std::string_view record);
    // A lone LF or other control byte copied from a source line would break the bank's line
    // reading, so such bytes go out as blanks.
    void writeRecord(const RecordLine& record);
    // Appends the trailer and closes the work file. Throws ConversionError when the count
    // or the total does not fit its field.
    void writeTrailerLine(long acceptedCount, std::int64_t totalThousandths);
    // Valid after writeTrailerLine.
    const std::string& totalText() const { return m_totalText; }
    const std::string& countText() const { return m_countText; }
    // Inserts record 002 and takes the digest. Returns the digest text of a work file flushed to
    // disk when the total is above zero; otherwise says every line was rejected, clears the Hash
    // Value and returns an empty text.
    std::string finishBankFile(std::string_view record002);
    // Progress bar back to 0; the work file closed (the run's outputs remove it).
    void discardWorkFiles();

    // The six-digit sequence text of a record 003; throws ConversionError past 999,999.
    static std::string sequenceText(long acceptedCount);
    // Adds an amount (thousandths) to a running total; throws ConversionError once the total no
    // longer fits the 16-character total field.
    static void addToTotal(std::int64_t& total, std::int64_t amount);

private:
    void closeWork();

    ConversionContext& m_ctx;
    std::string m_destination;
    std::string m_workFile;
    std::FILE* m_work = nullptr;
    off_t m_record002Offset = 0;
    std::int64_t m_totalThousandths = 0;
    std::string m_totalText;
    std::string m_countText;
};

}  // namespace convertor

#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "bankfile/DeflatedFile.h"

namespace convertor {

struct ConversionContext;
class BankFileWriter;
class RecordLine;

// The shared tail of every converter: the bank work file of the run's outputs, the trailer line,
// record 002 as line 2 and the digest line on top, and the Deflate of it all for the archive
// (whose work file the run has added as "zip"). The work file takes the place of the bank file
// only when the run commits its outputs, so a failure part-way never leaves a truncated bank file
// and never damages an older one.
class BankFileAssembly {
public:
    explicit BankFileAssembly(ConversionContext& ctx);
    ~BankFileAssembly();  // discardWorkFiles
    BankFileAssembly(const BankFileAssembly&) = delete;
    BankFileAssembly& operator=(const BankFileAssembly&) = delete;

    // Creates the work file holding the line buffer (record 001 and its CR LF).
    void openBankFile();
    // Valid after finishBankFile: the file packed for the archive, and what the check of its
    // records found.
    const DeflatedFile& packed() const { return m_packed; }
    const std::vector<std::string>& problems() const { return m_problems; }
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
    // Fills in record 002 and takes the digest. Returns the digest text when the total is above
    // zero; otherwise says every line was rejected, clears the Hash Value and returns an empty
    // text.
    std::string finishBankFile(std::string_view record002);
    // Progress bar back to 0; the work file closed (the run's outputs remove it).
    void discardWorkFiles();

    // The six-digit sequence text of a record 003; throws ConversionError past 999,999.
    static std::string sequenceText(long acceptedCount);
    // Adds an amount (thousandths) to a running total; throws ConversionError once the total no
    // longer fits the 16-character total field.
    static void addToTotal(std::int64_t& total, std::int64_t amount);

private:
    ConversionContext& m_ctx;
    std::string m_destination;
    std::unique_ptr<BankFileWriter> m_writer;
    DeflatedFile m_packed;
    std::vector<std::string> m_problems;
    std::int64_t m_totalThousandths = 0;
    std::string m_totalText;
    std::string m_countText;
};

}  // namespace convertor

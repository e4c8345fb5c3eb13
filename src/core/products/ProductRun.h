#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "bankfile/RecordTemplate.h"
#include "products/BankFileAssembly.h"
#include "products/ConversionContext.h"
#include "products/RejectionLog.h"
#include "products/RunResult.h"

namespace convertor {

class LineReader;

// What a converter leaves for the run.
struct ConverterResult {
    bool stopped = true;
    std::string stopMessage;  // the operator's message when stopped
    RunReport report;
    BankFileWriter::Finished bankFile;  // the finished work file, packed and checked
    bool anyAccepted = false;           // so the bank file is to be put in place
    RunSummary summary;
    RejectionFlags rejectionFlags;
    long acceptedCount = 0;
    std::string totalText;
};

// The course of every converter: open the source and the work file, check what comes before the
// lines, convert the lines with the progress bar moving, write the trailer and record 002, finish
// the bank file and say what the report shows. A product fills in the steps; where it stops the
// run it throws RunStop.
class ProductRun {
public:
    // keepRejectionRows: Dcp_Err gets a row per rejection in a "Print detail" run.
    ProductRun(ConversionContext& ctx, bool keepRejectionRows);
    virtual ~ProductRun() = default;
    ProductRun(const ProductRun&) = delete;
    ProductRun& operator=(const ProductRun&) = delete;

    ConverterResult run();

protected:
    // Reads what comes before the lines to convert and sets the progress total.
    virtual void begin(LineReader& source) = 0;
    // Whether the run writes table rows, in one transaction.
    virtual bool writesTables() const { return m_ctx.request.printDetail; }
    // The working tables a "Print detail" run empties first.
    virtual std::vector<const char*> detailTables() const = 0;
    virtual void convertLine(const std::string& line, long lineNumber) = 0;
    // Record 002 fields 3 to 6 and 11 to 13.
    virtual void fillDebitSide(RecordTemplate<2>& r002) = 0;
    virtual RunReport report() const = 0;

    // The sequence text of the next record 003; throws past 999,999.
    std::string nextSequence();
    void addToTotal(std::int64_t thousandths) { BankFileAssembly::addToTotal(m_total, thousandths); }
    // The result report of the run; its debit record count is 1 when anything was paid, 0
    // otherwise, zero-filled to debitRecordWidth.
    RunReport resultReport(std::string payType, std::string valueDate, std::string companyName,
                           std::string companyCaption, std::size_t debitRecordWidth = 6) const;
    static RunReport detailReport(ReportKind kind, std::string payType, std::string valueDate,
                                  std::string companyName, std::string debitAccount = {});

    ConversionContext& m_ctx;
    RecordTemplates m_templates;
    bool m_printDetail;
    BankFileAssembly m_bank;
    RejectionLog m_log;
    long m_accepted = 0;
    std::int64_t m_total = 0;  // thousandths
    long m_progressTotal = 1;
    long m_progressOffset = 0;  // taken from the line number for the progress bar

private:
    void convertSource(ConverterResult& result);

    Progress m_progress;
};

}  // namespace convertor

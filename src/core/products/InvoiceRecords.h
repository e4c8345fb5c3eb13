#pragma once

#include <memory>
#include <string>

#include "bankfile/RecordTemplate.h"

namespace convertor {

class BankFileAssembly;
class LineReader;
class PaymentLine;
class TableStore;

// The invoice file of one Manager Cheque run, read forward in step with the payment file.
// Closed on every way out of the run, since it goes with this object.
class InvoiceRecords {
public:
    InvoiceRecords();
    ~InvoiceRecords();
    InvoiceRecords(const InvoiceRecords&) = delete;
    InvoiceRecords& operator=(const InvoiceRecords&) = delete;

    // Opens the file when it is named and exists; the skip count starts at 0.
    void openInvoiceFile(const std::string& invoiceFile);

    // The invoice lines of a payment rejected for its amount stand in the file in its place.
    // Throws ConversionError naming the line when its invoice count is not a plain number.
    void skipRejectedInvoices(const PaymentLine& line);

    // Passes over the lines of rejected payments, then writes one record 006 per invoice of the
    // payment and, when details is not null, its Invoice_Detail row. Throws RunStop when the
    // invoice lines do not belong to the payment, ConversionError for what does not fit the records.
    void writeInvoiceRecords(const PaymentLine& line, const RecordTemplate<3>& r003, RecordTemplate<6>& r006,
                             const std::string& printFlag, BankFileAssembly& bank, TableStore* details);

    void closeInvoiceFile();

    long skipCount() const { return m_skipCount; }

private:
    // Past the end of the file this gives an empty line; valid until the next call.
    const std::string& nextLine();
    std::string invoiceWhere(const PaymentLine& line) const;

    std::string m_fileName;
    std::unique_ptr<LineReader> m_reader;
    std::string m_line;
    long m_skipCount = 0;
};

}  // namespace convertor

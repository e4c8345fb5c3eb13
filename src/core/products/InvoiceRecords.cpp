#include "products/InvoiceRecords.h"

#include <filesystem>

#include "bankfile/AmountText.h"
#include "bankfile/RecordTemplate.h"
#include "base/Clock.h"
#include "base/ConversionError.h"
#include "products/BankFileAssembly.h"
#include "products/ConversionContext.h"
#include "products/PaymentLine.h"
#include "refdata/Schema.h"
#include "refdata/TableStore.h"
#include "text/CodePage.h"
#include "text/LineReader.h"
#include "text/Padding.h"
#include "text/Trim.h"

namespace convertor {

namespace {

constexpr std::size_t kInvoiceLineLength = 166;
const std::string kMismatch = "Invoice file and payment file are missmatch";

// "-" in the first column moves in front of the zero padding, keeping the width.
template <int Type>
void setSignedAmount(RecordTemplate<Type>& record, const RecordField<Type>& field, std::string_view amount,
                     std::size_t zeros) {
    std::string_view padding = std::string_view("000000").substr(0, zeros);
    if (!amount.empty() && amount.front() == '-') {
        record.setJoined(field, {"-", padding, amount.substr(1), "0"});
    } else {
        record.setJoined(field, {padding, amount, "0"});
    }
}

}  // namespace

InvoiceRecords::InvoiceRecords() = default;

InvoiceRecords::~InvoiceRecords() {
    closeInvoiceFile();
}

void InvoiceRecords::openInvoiceFile(const std::string& invoiceFile) {
    m_fileName = invoiceFile;
    m_skipCount = 0;
    std::error_code error;
    if (!invoiceFile.empty() && std::filesystem::exists(invoiceFile, error)) {
        m_reader = std::make_unique<LineReader>(invoiceFile);
    }
}

void InvoiceRecords::closeInvoiceFile() {
    m_reader.reset();
}

void InvoiceRecords::skipRejectedInvoices(const PaymentLine& line) {
    m_skipCount += countAt(line.view(130, 132), [&] { return "invoice count, " + line.where(); });
}

const std::string& InvoiceRecords::nextLine() {
    if (!m_reader) {
        throw IoError("Cannot open the invoice file " + m_fileName + ": no such file");
    }
    if (!m_reader->next(m_line)) {
        m_line.clear();
    }
    return m_line;
}

std::string InvoiceRecords::invoiceWhere(const PaymentLine& line) const {
    return line.where() + ", invoice file line " + std::to_string(m_reader ? m_reader->lineNumber() : 0);
}

void InvoiceRecords::writeInvoiceRecords(const PaymentLine& line, const RecordTemplate<3>& r003,
                                         RecordTemplate<6>& r006, const std::string& printFlag,
                                         BankFileAssembly& bank, TableStore* details) {
    for (; m_skipCount > 0; --m_skipCount) {
        nextLine();
    }
    long count =
        countAt(r003.view(Record003::InvoiceCount), [&] { return "invoice count, " + line.where(); });
    const std::string_view key = line.view(1, 26);
    for (long j = 1; j <= count; ++j) {
        const std::string& invoice = nextLine();
        if (columns(invoice, 1, 26) != key) {
            throw RunStop{kMismatch};
        }
        auto where = [&] { return invoiceWhere(line); };
        if (invoice.size() < kInvoiceLineLength) {
            throw ConversionError("Invoice line of " + std::to_string(invoice.size()) +
                                  " characters, shorter than the 166 its records need (" + where() + ")");
        }
        if (printFlag.size() != 1) {
            throw ConversionError(
                "The Print setting of Data/Default.ini must be exactly one character, not \"" +
                toUtf8(printFlag) + "\" (" + where() + ")");
        }
        const std::string_view text = invoice;
        r006.set(Record006::BatchReference, r003.view(Record003::BatchReference));
        r006.set(Record006::CreditSequence, r003.view(Record003::CreditSequence));
        r006.set(Record006::InvoiceSequence, padLeftZeros(std::to_string(j), 6));
        r006.set(Record006::InvoiceNumber, columns(text, 27, 41));
        setSignedAmount(r006, Record006::InvoiceAmount, columns(text, 52, 64), 2);
        r006.setJoined(Record006::InvoiceDate,
                       {columns(text, 65, 68), columns(text, 70, 71), columns(text, 73, 74)});
        r006.set(Record006::PurchaseOrderNumber, columns(text, 125, 139));
        setSignedAmount(r006, Record006::VatAmount, columns(text, 140, 148), 6);
        setSignedAmount(r006, Record006::ChargeAmount, columns(text, 149, 157), 6);
        setSignedAmount(r006, Record006::TaxAmount, columns(text, 158, 166), 6);
        r006.set(Record006::PrintFlag, printFlag);
        bank.writeRecord(r006);
        if (details != nullptr) {
            details->appendRow(
                schema::invoiceDetail::kTable,
                {
                    {schema::invoiceDetail::kCreditId, r006.get(Record006::CreditSequence)},
                    {schema::invoiceDetail::kInvoiceId, r006.get(Record006::InvoiceSequence)},
                    {schema::invoiceDetail::kInvoiceNo, r006.get(Record006::InvoiceNumber)},
                    {schema::invoiceDetail::kInvoiceAmount,
                     amountValue(amountAt(r006.get(Record006::InvoiceAmount), where, true))},
                    {schema::invoiceDetail::kInvoiceDate, toDayMonthYear(r006.get(Record006::InvoiceDate))},
                    {schema::invoiceDetail::kPoNo, r006.get(Record006::PurchaseOrderNumber)},
                    {schema::invoiceDetail::kVatAmount,
                     amountValue(amountAt(r006.get(Record006::VatAmount), where, true))},
                    {schema::invoiceDetail::kChargeAmount,
                     amountValue(amountAt(r006.get(Record006::ChargeAmount), where, true))},
                    {schema::invoiceDetail::kWhtAmount,
                     amountValue(amountAt(r006.get(Record006::TaxAmount), where, true))},
                });
        }
    }
}

}  // namespace convertor

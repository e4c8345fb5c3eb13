#include "products/InvoiceRecords.h"

#include <filesystem>

#include "bankfile/AmountText.h"
#include "bankfile/FieldChecks.h"
#include "bankfile/RecordTemplate.h"
#include "base/Clock.h"
#include "base/ConversionError.h"
#include "products/BankFileAssembly.h"
#include "products/PaymentLine.h"
#include "refdata/Schema.h"
#include "refdata/TableStore.h"
#include "text/CodePage.h"
#include "text/LineReader.h"
#include "text/Trim.h"

namespace convertor {

namespace {

constexpr std::size_t kInvoiceLineLength = 166;
const std::string kMismatch = "Invoice file and payment file are missmatch";

// "-" in the first column moves in front of the zero padding, keeping the width.
std::string signedAmountText(std::string_view amount, std::size_t zeros) {
    if (!amount.empty() && amount.front() == '-') {
        return "-" + std::string(zeros, '0') + std::string(amount.substr(1)) + "0";
    }
    return std::string(zeros, '0') + std::string(amount) + "0";
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
    m_skipCount += countAt(line.field(130, 132), "invoice count, " + line.where());
}

std::string InvoiceRecords::nextLine() {
    if (!m_reader) {
        throw IoError("Cannot open the invoice file " + m_fileName + ": no such file");
    }
    std::string text;
    if (!m_reader->next(text)) {
        text.clear();
    }
    return text;
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
    long count = countAt(r003.get(Record003::InvoiceCount), "invoice count, " + line.where());
    const std::string key = line.field(1, 26);
    for (long j = 1; j <= count; ++j) {
        std::string invoice = nextLine();
        if (columns(invoice, 1, 26) != key) {
            throw ChequeRunStop{kMismatch};
        }
        const std::string where = invoiceWhere(line);
        if (invoice.size() < kInvoiceLineLength) {
            throw ConversionError("Invoice line of " + std::to_string(invoice.size()) +
                                  " characters, shorter than the 166 its records need (" + where + ")");
        }
        if (printFlag.size() != 1) {
            throw ConversionError(
                "The Print setting of Data/Default.ini must be exactly one character, not \"" +
                toUtf8(printFlag) + "\" (" + where + ")");
        }
        const std::string_view text = invoice;
        r006.set(Record006::BatchReference, r003.get(Record003::BatchReference));
        r006.set(Record006::CreditSequence, r003.get(Record003::CreditSequence));
        r006.set(Record006::InvoiceSequence, padLeftZeros(std::to_string(j), 6));
        r006.set(Record006::InvoiceNumber, columns(text, 27, 41));
        r006.set(Record006::InvoiceAmount, signedAmountText(columns(text, 52, 64), 2));
        r006.set(Record006::InvoiceDate, std::string(columns(text, 65, 68)) +
                                             std::string(columns(text, 70, 71)) +
                                             std::string(columns(text, 73, 74)));
        r006.set(Record006::PurchaseOrderNumber, columns(text, 125, 139));
        r006.set(Record006::VatAmount, signedAmountText(columns(text, 140, 148), 6));
        r006.set(Record006::ChargeAmount, signedAmountText(columns(text, 149, 157), 6));
        r006.set(Record006::TaxAmount, signedAmountText(columns(text, 158, 166), 6));
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

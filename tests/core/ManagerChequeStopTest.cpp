#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "base/ConversionError.h"
#include "core/ManagerChequeTestSupport.h"

namespace convertor::test {
namespace {

namespace fs = std::filesystem;

std::string plainLine() {
    return chequeData("single.txt").at(0);
}
std::string withDueDate(const std::string& date) {
    return patch(plainLine(), 37, date);
}

// Runs the lines and returns what the operator saw; the run must have stopped.
std::vector<std::string> stopped(ChequeRun& cheque) {
    cheque.run();
    EXPECT_FALSE(cheque.completed());
    EXPECT_FALSE(fs::exists(cheque.home.out("bank.txt")));
    EXPECT_FALSE(workFilesIn(cheque.home.out("")));
    EXPECT_TRUE(cheque.op.reports.empty());
    return cheque.op.messages;
}

TEST(ManagerChequeStops, DueDateMustBeARealDateOfTodayOrLater) {
    {
        ChequeRun cheque;
        cheque.payments({withDueDate("2030-01-02")});
        cheque.run();
        EXPECT_TRUE(cheque.completed());
    }
    {
        ChequeRun cheque;
        cheque.payments({withDueDate("2030/01/01")});
        EXPECT_EQ(stopped(cheque),
                  (std::vector<std::string>{"CHEQUE_DUE_DATE should be today or future date"}));
    }
    for (const char* bad : {"2030/02/30", "2030/ 5/01", "2030/+5/01", "2030/05/  "}) {
        ChequeRun cheque;
        cheque.payments({withDueDate(bad)});
        EXPECT_EQ(stopped(cheque), (std::vector<std::string>{"Invalid  CHEQUE_DUE_DATE"})) << bad;
    }
}

TEST(ManagerChequeStops, ABadDebitAccountAnywhereStopsTheWholeRun) {
    ChequeRun cheque;
    std::string zero = patch(plainLine(), 47, "0000000000000");
    cheque.payments({plainLine(), zero, patch(plainLine(), 27, "1234567890")});
    cheque.request.printDetail = true;
    EXPECT_EQ(stopped(cheque), (std::vector<std::string>{"Invalid ZVB debit account"}));
    // The table rows appended before the stop stay; the rejection files are not put in place.
    EXPECT_FALSE(fs::exists(cheque.home.out("ACME01_MCP_CreditZeroAmountRecord.txt")));
    EXPECT_EQ(query(cheque.tables, "select ID from Mcp_Detail").rows.size(), 1u);
}

TEST(ManagerChequeStops, InvoiceFlagNeedsAnInvoiceFile) {
    ChequeRun cheque;
    cheque.payments({patch(plainLine(), 129, "1001")});
    EXPECT_EQ(stopped(cheque), (std::vector<std::string>{"This payment file must have invoice data"}));
}

TEST(ManagerChequeStops, InvoiceLinesThatDoNotBelongToThePaymentStopTheRun) {
    {
        // The first payment has invoice lines but no invoice flag, so nobody reads its line.
        ChequeRun cheque;
        cheque.payments(chequeData("mismatch.txt"));
        cheque.invoices(chequeData("mismatch_inv.txt"));
        EXPECT_EQ(stopped(cheque), (std::vector<std::string>{"Invoice file and payment file are missmatch"}));
    }
    {
        // The invoice file ends before the payment's count is reached.
        ChequeRun cheque;
        cheque.payments({patch(plainLine(), 129, "1002")});
        cheque.invoices(chequeData("single_inv.txt"));
        EXPECT_EQ(stopped(cheque), (std::vector<std::string>{"Invoice file and payment file are missmatch"}));
    }
}

// Runs a single payment line and returns the message of the error that ended the run.
std::string errorOf(const std::string& payment, const std::vector<std::string>& invoiceLines = {},
                    const std::string& print = "T", bool printDetail = false) {
    ChequeRun cheque;
    cheque.payments({plainLine(), payment});
    if (!invoiceLines.empty()) {
        cheque.invoices(invoiceLines);
    }
    cheque.session.settings.print = print;
    cheque.request.printDetail = printDetail;
    try {
        cheque.run();
    } catch (const ConversionError& error) {
        EXPECT_FALSE(fs::exists(cheque.home.out("bank.txt")));
        EXPECT_FALSE(workFilesIn(cheque.home.out("")));
        return error.what();
    }
    ADD_FAILURE() << "the run did not fail";
    return {};
}

TEST(ManagerChequeErrors, FieldsThatDoNotFitEndTheRunNamingTheLine) {
    std::string line = plainLine();
    EXPECT_EQ(errorOf(patch(line, 601, "10000")),
              "Branch code 10000 in columns 601-605 of payment file line 2 does not fit the four-digit "
              "receiving branch code");
    EXPECT_NE(errorOf(patch(line, 601, "  -1 ")).find("Branch code -1 "), std::string::npos);
    EXPECT_EQ(errorOf(patch(line, 601, " 1x  ")),
              "' 1x  ' is not a valid integer value (columns 601-605, "
              "payment file line 2)");
    // Thai text comes out in UTF-8, converted once.
    EXPECT_EQ(errorOf(patch(line, 601, cp874(" 1ก  "))),
              "' 1ก  ' is not a valid integer value (columns 601-605, payment file line 2)");
    EXPECT_EQ(errorOf(patch(line, 47, " 000000012345")),
              "'00 0000000123450' is not a valid floating point value (payment file line 2)");
    // A rejected line's invoice count is still read.
    EXPECT_EQ(errorOf(patch(patch(line, 47, "0000000000000"), 130, "   ")),
              "'   ' is not a valid integer value (invoice count, payment file line 2)");
}

TEST(ManagerChequeErrors, TaxItemsThatHaveNoRateEndTheRunNamingTheLine) {
    std::string taxed = patch(patch(plainLine(), 104, "1"), 444, "6");
    // 99.5 per cent rounds to 100, which the two-digit rate cannot hold; 99.4 still fits.
    EXPECT_EQ(errorOf(patch(patch(taxed, 616, "000099500"), 634, "0000000100000")),
              "The tax rate 100 of tax item 1 in payment file line 2 does not fit the two-digit rate field");
    EXPECT_EQ(errorOf(patch(patch(taxed, 625, "000000100"), 647, "0000000000000")),
              "The income amount of tax item 2 in payment file line 2 is zero, so no tax rate can be "
              "worked out");
    EXPECT_EQ(errorOf(patch(taxed, 616, "         ")),
              "'000000         0' is not a valid floating point value (tax item 1, payment file line 2)");
}

TEST(ManagerChequeErrors, InvoiceLinesThatDoNotFitEndTheRunNamingBothLines) {
    std::string flagged = patch(plainLine(), 129, "1002");
    std::string invoice = chequeData("single_inv.txt").at(0);
    EXPECT_EQ(errorOf(flagged, {invoice, invoice.substr(0, 165)}),
              "Invoice line of 165 characters, shorter than the 166 its records need "
              "(payment file line 2, invoice file line 2)");
    // Invoice amounts are read as numbers only for the working tables.
    std::vector<std::string> badAmount{invoice, patch(invoice, 52, "00000000A0000")};
    EXPECT_EQ(
        errorOf(flagged, badAmount, "T", true),
        "'0000000000A00000' is not a valid floating point value (payment file line 2, invoice file line 2)");
    // Without the tables it is copied into record 006 as it stands (AsTypedFields).
    EXPECT_EQ(errorOf(flagged, {invoice, invoice}, "TT"),
              "The Print setting of Data/Default.ini must be exactly one character, not \"TT\" (payment file "
              "line 2, invoice file line 1)");
}

TEST(ManagerChequeErrors, NamedInvoiceFileThatIsMissingEndsTheRunWhenAnInvoiceIsRead) {
    ChequeRun cheque;
    cheque.payments({patch(plainLine(), 129, "1001")});
    cheque.request.invoiceFile = cheque.home.in("missing.txt").string();
    EXPECT_THROW(cheque.run(), IoError);
}

}  // namespace
}  // namespace convertor::test

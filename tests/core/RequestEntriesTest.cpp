#include <gtest/gtest.h>

#include <variant>

#include "convert/RequestEntries.h"
#include "support/TestSupport.h"

namespace convertor::test {
namespace {

RequestEntries entries() {
    return {"ACME01",      "1234567896", "1234567896",    Product::DirectCredit,
            "/in/pay.txt", "",           "/out/bank.txt", true};
}

TEST(RequestEntries, EntriesTheRunCannotTakeAreRefusedWithTheirReason) {
    struct Case {
        std::string RequestEntries::*entry;
        std::string text;
        Entry expected;
        EntryFault fault;
        const char* reason;
    };
    const Case cases[] = {
        {&RequestEntries::companyId, "ACME0123456789", Entry::CompanyId, EntryFault::TooLong,
         "is longer than 12 characters"},
        {&RequestEntries::debitAccount, std::string(26, '1'), Entry::DebitAccount, EntryFault::TooLong,
         "is longer than 25 characters"},
        {&RequestEntries::feeAccount, "1234567896\xe4\xb8\xad", Entry::FeeAccount, EntryFault::NotCodePage874,
         "cannot be written in the Thai code page 874"},
        {&RequestEntries::companyId, "AC\tME", Entry::CompanyId, EntryFault::ControlCharacter,
         "holds a control character"},
        {&RequestEntries::debitAccount, "12345\n67896", Entry::DebitAccount, EntryFault::ControlCharacter,
         "holds a control character"},
    };
    for (const Case& c : cases) {
        RequestEntries typed = entries();
        typed.*c.entry = c.text;
        auto result = makeRequest(typed);
        ASSERT_TRUE(std::holds_alternative<EntryProblem>(result)) << c.text;
        const EntryProblem& problem = std::get<EntryProblem>(result);
        EXPECT_EQ(problem.entry, c.expected) << c.text;
        EXPECT_EQ(problem.fault, c.fault) << c.text;
        EXPECT_EQ(problem.reason(), c.reason);
    }
}

TEST(RequestEntries, TextsGoToCodePage874AsTypedAndBlanksCountAsNothing) {
    RequestEntries typed = entries();
    typed.companyId = " ACME01";
    typed.debitAccount = "\xe0\xb8\x81 12";  // Thai letter, 3 bytes in UTF-8, one in the code page
    typed.feeAccount = " \t ";
    typed.sourceFile = "   ";
    typed.invoiceFile = "/in/invoices.txt";  // not a Direct Credit input
    typed.destinationFile = " /out/bank.txt ";
    auto result = makeRequest(typed);
    ASSERT_TRUE(std::holds_alternative<ConversionRequest>(result));
    ConversionRequest request = std::get<ConversionRequest>(result);
    EXPECT_EQ(request.companyId, " ACME01");
    EXPECT_EQ(request.debitAccount, cp874("ก 12"));
    EXPECT_EQ(request.feeAccount, "");
    EXPECT_EQ(request.sourceFile, "");
    EXPECT_EQ(request.invoiceFile, "");
    EXPECT_EQ(request.destinationFile, " /out/bank.txt ");
    EXPECT_TRUE(request.printDetail);

    typed.product = Product::ManagerCheque;
    typed.companyId = "            ";  // twelve blanks: no company
    request = std::get<ConversionRequest>(makeRequest(typed));
    EXPECT_EQ(request.invoiceFile, "/in/invoices.txt");
    EXPECT_EQ(request.companyId, "");
}

}  // namespace
}  // namespace convertor::test

#include <gtest/gtest.h>

#include "core/ManagerChequeTestSupport.h"
#include "products/PaymentLine.h"
#include "products/WithholdingTax.h"

namespace convertor::test {
namespace {

TEST(WithholdingTax, RateRoundsHalvesToTheEvenNeighbour) {
    constexpr std::int64_t thousand = 1'000'000;  // 1,000.00 in thousandths
    EXPECT_EQ(taxRate(30'000, thousand), 3);
    EXPECT_EQ(taxRate(25'000, thousand), 2);
    EXPECT_EQ(taxRate(35'000, thousand), 4);
    EXPECT_EQ(taxRate(25'010, thousand), 3);
    EXPECT_EQ(taxRate(34'990, thousand), 3);
    EXPECT_EQ(taxRate(5'000, thousand), 0);
    EXPECT_EQ(taxRate(985'000, thousand), 98);
    EXPECT_EQ(taxRate(995'000, thousand), 100);
    // Largest amounts the fields can hold do not overflow.
    EXPECT_EQ(taxRate(9'999'999'990, 9'999'999'999'999'990), 0);
}

PaymentLine lineOf(const std::string& text) {
    return PaymentLine(text, 1);
}

std::string blank(std::size_t n) {
    return std::string(n, ' ');
}

TEST(WithholdingTax, ItemsOfTheThreeItemLayout) {
    std::string base = patch(chequeData("single.txt").at(0), 444,
                             "6FIRST-DESCRIPTION-20SECOND-DESCRIPTIO-20THIRD-DESCRIPTION-30-CHARS-XYZ");
    const std::string zero9(9, '0');

    std::string onlyFirst = patch(base, 616, "000000100");
    auto items = taxItems(lineOf(onlyFirst));
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].description,
              "FIRST-DESCRIPTION-20SECOND-DESCRIPTIO-20THIRD-DESCRIPTION-30-CHARS-XYZ" + blank(10));
    EXPECT_EQ(taxItemCount(lineOf(onlyFirst)), "01");

    std::string firstAndThird = patch(patch(onlyFirst, 660, "000000300"), 669, "0000000003000");
    items = taxItems(lineOf(firstAndThird));
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].description, "FIRST-DESCRIPTION-20" + blank(60));
    EXPECT_EQ(items[1].item, 3);
    EXPECT_EQ(items[1].taxAmount, "000000300");
    EXPECT_EQ(items[1].incomeAmount, "0000000003000");
    EXPECT_EQ(items[1].description, "THIRD-DESCRIPTION-30-CHARS-XYZ" + blank(50));
    EXPECT_EQ(taxItemCount(lineOf(firstAndThird)), "02");

    std::string secondAndBlankThird = patch(patch(base, 625, "000000200"), 660, blank(9));
    items = taxItems(lineOf(secondAndBlankThird));
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].item, 2);
    EXPECT_EQ(items[0].description, "SECOND-DESCRIPTIO-20" + blank(60));
    EXPECT_EQ(taxItemCount(lineOf(secondAndBlankThird)), "02");

    EXPECT_TRUE(taxItems(lineOf(base)).empty());
    EXPECT_EQ(taxItemCount(lineOf(base)), "00");
}

TEST(WithholdingTax, SingleItemOfAnyOtherIncomeType) {
    std::string line = patch(patch(chequeData("single.txt").at(0), 444, "3"), 60, "0000000100000");
    EXPECT_TRUE(taxItems(lineOf(line)).empty());
    EXPECT_EQ(taxItemCount(lineOf(line)), "01");

    line = patch(line, 86, "000003000");
    auto items = taxItems(lineOf(line));
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].taxAmount, "000003000");
    EXPECT_EQ(items[0].incomeAmount, "0000000100000");
    EXPECT_EQ(items[0].description, blank(80));
    // The three-item columns play no part.
    EXPECT_EQ(taxItems(lineOf(patch(line, 616, "000000100"))).size(), 1u);
}

}  // namespace
}  // namespace convertor::test

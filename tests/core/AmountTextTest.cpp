#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "bankfile/AmountText.h"

namespace convertor::test {
namespace {

TEST(AmountText, Thousandths) {
    EXPECT_EQ(amountThousandths("0000000001234500"), 1234500);
    EXPECT_EQ(amountThousandths("0000000000000000"), 0);
    EXPECT_EQ(amountThousandths("9999999999999999"), INT64_C(9999999999999999));
    EXPECT_EQ(amountThousandths("000000000123450"), std::nullopt) << "15 characters";
    EXPECT_EQ(amountThousandths("00000000001234500"), std::nullopt) << "17 characters";
    EXPECT_EQ(amountThousandths("000000000 123450"), std::nullopt);
    EXPECT_EQ(amountThousandths("+000000000123450"), std::nullopt);
}

TEST(AmountText, SignedThousandths) {
    EXPECT_EQ(amountThousandths("-000000000012340", true), -12340);
    EXPECT_EQ(amountThousandths("0000000000012340", true), 12340);
    EXPECT_EQ(amountThousandths("-000000000012340"), std::nullopt) << "a sign only where allowed";
    EXPECT_EQ(amountThousandths("--00000000012340", true), std::nullopt);
    EXPECT_EQ(amountThousandths("0-00000000012340", true), std::nullopt) << "the sign only in column 1";
    EXPECT_EQ(amountThousandths("-               ", true), std::nullopt);
}

TEST(AmountText, TotalText) {
    EXPECT_EQ(totalText(124000), "0000000000124000");
    EXPECT_EQ(totalText(1234500), "0000000001234500");
    EXPECT_EQ(totalText(0), "0000000000000000");
    EXPECT_EQ(totalText(INT64_C(9999999999999990)), "9999999999999990");
    // A sum of other precision rounds to the hundredth.
    EXPECT_EQ(totalText(124004), "0000000000124000");
    EXPECT_EQ(totalText(124005), "0000000000124010");
}

TEST(AmountText, TotalTextRefusesWhatDoesNotFit) {
    EXPECT_EQ(totalText(INT64_C(10000000000000000)), std::nullopt);
    EXPECT_EQ(totalText(-10), std::nullopt);
    // Rounding up must not carry the text into a 17th digit.
    EXPECT_EQ(totalText(INT64_C(9999999999999995)), std::nullopt);
    EXPECT_EQ(totalText(INT64_C(9999999999999994)), "9999999999999990");
}

TEST(AmountText, AmountWithPoint) {
    EXPECT_EQ(amountWithPoint("0000000000124000"), "0000000000124.000");
    EXPECT_EQ(amountWithPoint("-000000000012340"), "-000000000012.340");
    EXPECT_EQ(amountWithPoint("12345"), "12345        .   ") << "a short text keeps the point in place";
}

}  // namespace
}  // namespace convertor::test

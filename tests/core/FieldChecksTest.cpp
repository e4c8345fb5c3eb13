#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "bankfile/FieldChecks.h"
#include "base/ConversionError.h"
#include "support/TestSupport.h"
#include "text/LineReader.h"
#include "text/Numbers.h"
#include "text/Padding.h"

namespace convertor::test {
namespace {

TEST(FieldChecks, Padding) {
    EXPECT_EQ(padRight("AB", 5), "AB   ");
    EXPECT_EQ(padLeftZeros("12", 6), "000012");
    // Too long a value comes back as it is, never cut.
    EXPECT_EQ(padRight("ABCDEF", 3), "ABCDEF");
    EXPECT_EQ(padLeftZeros("1234567", 6), "1234567");
}

TEST(FieldChecks, NumericCheck) {
    for (const char* good : {"12.50", "+5", "   7", "1e5", ".", "E5", "-0.5e-3", "12.", "007", "1E+05"}) {
        EXPECT_TRUE(numericCheck(good)) << good;
    }
    for (const char* bad : {"", "+", "   ", " -", "1e", "12.50 ", "1,000", "1.2.3", "\t5", "1e5.0", "0x10",
                            "--1", "1 2", "5-"}) {
        EXPECT_FALSE(numericCheck(bad)) << bad;
    }
}

TEST(FieldChecks, AmountCheck) {
    for (const char* good : {"0000000012345", "0", "-0", ".", "  12.50", "+1e3", "1.5E-2"}) {
        EXPECT_TRUE(amountCheck(good)) << good;
    }
    for (const char* bad : {"-100", "-0.01", "E5", "-E5", "abc", "", "1e400", "12 ", "1,000"}) {
        EXPECT_FALSE(amountCheck(bad)) << bad;
    }
    EXPECT_TRUE(amountCheck("1" + std::string(300, '0')));
    EXPECT_FALSE(amountCheck("1" + std::string(400, '0'))) << "past the range of a double";
}

TEST(FieldChecks, AccountCheck) {
    EXPECT_TRUE(accountCheck("1234567896"));
    EXPECT_TRUE(accountCheck("12304567896")) << "the 4th of 11 characters is dropped";
    EXPECT_TRUE(accountCheck("123.4567896")) << "the point is the dropped 4th character";
    EXPECT_TRUE(accountCheck("0000000000"));
    EXPECT_TRUE(accountCheck("1111111114"));
    for (const char* bad : {"1234567890", " 123456789", "+123456789", "1.23456789", "123456789",
                            "123-4-56789-6", "12345678966", "1111111115", "", "123456789 ", "1234567896 "}) {
        EXPECT_FALSE(accountCheck(bad)) << bad;
    }
}

TEST(FieldChecks, DateCheck) {
    EXPECT_TRUE(dateCheck("2024", "02", "29"));
    EXPECT_TRUE(dateCheck("2000", "02", "29"));
    EXPECT_TRUE(dateCheck("2025", "12", "31"));
    EXPECT_TRUE(dateCheck(" 2025", "+1", "01")) << "leading blanks and a sign are a whole number";
    EXPECT_TRUE(dateCheck("0001", "01", "01"));
    EXPECT_TRUE(dateCheck("9999", "12", "31"));
    EXPECT_FALSE(dateCheck("2023", "02", "29"));
    EXPECT_FALSE(dateCheck("1900", "02", "29"));
    EXPECT_FALSE(dateCheck("2024", "13", "01"));
    EXPECT_FALSE(dateCheck("2024", "00", "10"));
    EXPECT_FALSE(dateCheck("2024", "04", "31"));
    EXPECT_FALSE(dateCheck("2024", "04", "00"));
    EXPECT_FALSE(dateCheck("0000", "01", "01"));
    EXPECT_FALSE(dateCheck("10000", "01", "01"));
    EXPECT_FALSE(dateCheck("2024", "01", "1 ")) << "a trailing blank is not a number";
    EXPECT_FALSE(dateCheck("2024", "1.", "01"));
    EXPECT_FALSE(dateCheck("", "01", "01"));
    EXPECT_FALSE(dateCheck("2024", "01", "-1"));
    EXPECT_FALSE(dateCheck("2024", "99999999999999999999999", "01"));
}

TEST(FieldChecks, WholeNumber) {
    EXPECT_EQ(wholeNumber("  -12"), -12);
    EXPECT_EQ(wholeNumber("+7"), 7);
    EXPECT_EQ(wholeNumber("000123"), 123);
    for (const char* bad : {"", " ", "-", "12 ", "1.0", "- 5", "1e3", "99999999999999999999"}) {
        EXPECT_EQ(wholeNumber(bad), std::nullopt) << bad;
    }
}

TEST(FieldChecks, ThaiTextCheck) {
    std::string name = cp874("สมชาย");
    EXPECT_TRUE(thaiTextCheck(name, name.size()));
    EXPECT_TRUE(thaiTextCheck("\xA1", 1));
    EXPECT_TRUE(thaiTextCheck("\xCE", 1));
    EXPECT_FALSE(thaiTextCheck("\xA0\xCF", 2)) << "just outside the consonants";
    EXPECT_FALSE(thaiTextCheck(cp874("John ี่ ๑๒"), 70)) << "vowels, tone marks and digits are not letters";
    EXPECT_FALSE(thaiTextCheck("abc\xA1", 3)) << "a consonant beyond n is not seen";
    EXPECT_TRUE(thaiTextCheck("abc\xA1", 4));
    EXPECT_TRUE(thaiTextCheck("abc\xA1", 70)) << "n past the end takes the whole text";
    EXPECT_FALSE(thaiTextCheck("", 23));
    EXPECT_FALSE(thaiTextCheck("\xA1", 0));
}

TEST(FieldChecks, LineCountLessOne) {
    TempDir dir;
    auto count = [&](const std::string& bytes) {
        writeFile(dir / "f.txt", bytes);
        return lineCountLessOne(dir / "f.txt");
    };
    EXPECT_EQ(count(crlfLines({"1", "2", "3", "4", "5"})), 4);
    EXPECT_EQ(count(""), -1);
    EXPECT_EQ(count("a\r\nb"), 1) << "a last line without CR LF counts";
    EXPECT_EQ(count("a\r\nb\r\n\x1A"
                    "c\r\nd\r\n"),
              1)
        << "Ctrl-Z ends the input";
    EXPECT_EQ(count("a\nb\nc\r\n"), 0) << "a lone LF does not end a line";
    EXPECT_EQ(count("a\rb\rc"), 2);
    EXPECT_THROW(lineCountLessOne(dir / "missing.txt"), IoError);
}

}  // namespace
}  // namespace convertor::test

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "bankfile/FileHeader.h"
#include "bankfile/RecordTemplate.h"
#include "base/Clock.h"
#include "base/ConversionError.h"

namespace convertor::test {
namespace {

std::string cols(const std::string& line, int first, int last) {
    return line.substr(first - 1, last - first + 1);
}

// Every record of the bank file, walked field by field: numbered 1 to N, each field starting where
// the one before ended, defaults of the field's width, the record as long as the bank expects.
TEST(RecordLayout, EveryRecordIsGaplessAndOfItsLength) {
    const std::map<int, int> lengths{{1, 96}, {2, 109}, {3, 355}, {4, 816}, {5, 138}, {6, 196}, {999, 31}};
    for (int type : kRecordTypes) {
        SCOPED_TRACE(recordName(type));
        int start = 1;
        int number = 1;
        for (const FieldSpec& field : recordFields(type)) {
            EXPECT_EQ(field.record, type);
            EXPECT_EQ(field.number, number++);
            EXPECT_EQ(field.start, start) << "field " << field.number;
            EXPECT_EQ(field.defaultText().size(), static_cast<std::size_t>(field.width))
                << "field " << field.number;
            start += field.width;
        }
        EXPECT_EQ(start - 1, lengths.at(type));
        EXPECT_EQ(recordLength(type), lengths.at(type));
        EXPECT_EQ(RecordLine(type).line().size(), static_cast<std::size_t>(lengths.at(type)));
    }
    EXPECT_EQ(RecordTemplate<999>().line(), "999000001" + std::string(22, '0'));
}

TEST(RecordLayout, FieldColumns) {
    // Columns the bank reads.
    const std::pair<const FieldSpec&, int> starts[] = {{Record001::FileCode, 62},
                                                       {Record002::TotalAmount, 49},
                                                       {Record002::CreditCount, 73},
                                                       {Record002::FeeBranchCode, 106},
                                                       {Record003::CreditAmount, 35},
                                                       {Record003::ReceivingBankCode, 181},
                                                       {Record003::ReceivingBranchCode, 219},
                                                       {Record003::Filler2, 286},
                                                       {Record004::PayeeNameEnglish, 353},
                                                       {Record004::Filler3, 443},
                                                       {Record004::Filler7, 747},
                                                       {Record005::IncomeAmount, 123},
                                                       {Record006::VatAmount, 148},
                                                       {Record006::PrintFlag, 196},
                                                       {Record999::TotalAmount, 16}};
    for (const auto& [field, start] : starts) {
        EXPECT_EQ(field.start, start) << recordName(field.record) << " field " << field.number;
    }
}

TEST(RecordLayout, AValueOfAnotherWidthIsRefused) {
    RecordTemplate<3> r003;
    EXPECT_THROW(r003.set(Record003::ReceivingBankCode, "14"), ConversionError);
    EXPECT_THROW(r003.set(Record003::ReceivingBankCode, "0014"), ConversionError);
    EXPECT_THROW(r003.fill(Record003::ReceivingBankName, std::string(36, 'X')), ConversionError);
    EXPECT_EQ(r003.line(), RecordTemplate<3>().line()) << "a refused value changes nothing";
    r003.fill(Record003::ReceivingBranchCode, "25");
    r003.fill(Record003::ReceivingBranchName, "MAIN");
    EXPECT_EQ(r003.get(Record003::ReceivingBranchCode), "0025");
    EXPECT_EQ(r003.get(Record003::ReceivingBranchName), "MAIN" + std::string(31, ' '));
    EXPECT_EQ(r003.line().size(), 355u);
}

TEST(RecordTemplates, Defaults) {
    RecordTemplates templates;
    std::string r002 = templates.r002.line();
    EXPECT_EQ(r002, "002" + std::string(36, ' ') + "000000" + "THB" + std::string(16, '0') + "00000001" +
                        "000000" + std::string(25, ' ') + "000000");
    std::string r003 = templates.r003.line();
    EXPECT_EQ(cols(r003, 1, 9), "003000001");
    EXPECT_EQ(cols(r003, 51, 53), "THB");
    EXPECT_EQ(cols(r003, 54, 61), "00000000");
    EXPECT_EQ(cols(r003, 62, 65), "NNN ");
    EXPECT_EQ(cols(r003, 70, 71), "00");
    EXPECT_EQ(cols(r003, 132, 132), "0");
    EXPECT_EQ(cols(r003, 173, 183), "        000");
    EXPECT_EQ(cols(r003, 219, 222), "0000");
    EXPECT_EQ(cols(r003, 258, 355), std::string(98, ' '));
    std::string r004 = templates.r004.line();
    EXPECT_EQ(cols(r004, 1, 17), "00400000001000001");
    EXPECT_EQ(cols(r004, 18, 816), std::string(799, ' '));
    EXPECT_EQ(templates.r005.line(),
              "005" + std::string(32, '0') + std::string(85, ' ') + std::string(18, '0'));
    std::string r006 = templates.r006.line();
    EXPECT_EQ(cols(r006, 1, 38), "006" + std::string(20, '0') + std::string(15, ' '));
    EXPECT_EQ(cols(r006, 55, 62), std::string(8, ' '));
    EXPECT_EQ(cols(r006, 148, 196), std::string(48, '0') + "T");
}

TEST(RecordTemplates, ResetRestoresEveryDefault) {
    RecordTemplates fresh;
    RecordTemplates used;
    used.r002.set(Record002::ProductCode, "MCL");
    used.r003.set(Record003::Flag3, "Y");
    used.r003.set(Record003::ReceivingBankCode, "014");
    used.r004.set(Record004::Filler1, "XXXXXXXXXX");
    used.r004.set(Record004::Filler7, std::string(70, 'Z'));
    used.r005.set(Record005::TaxSequence, "01");
    used.r006.set(Record006::PrintFlag, "F");
    EXPECT_EQ(used.r003.get(Record003::ReceivingBankCode), "014");
    EXPECT_EQ(cols(used.r004.line(), 423, 432), "XXXXXXXXXX");
    resetRecordTemplates(used);
    EXPECT_EQ(used.r002.line(), fresh.r002.line());
    EXPECT_EQ(used.r003.line(), fresh.r003.line());
    EXPECT_EQ(used.r004.line(), fresh.r004.line());
    EXPECT_EQ(used.r005.line(), fresh.r005.line());
    EXPECT_EQ(used.r006.line(), fresh.r006.line());
}

std::string header(const std::string& companyId) {
    return fileHeader(companyId, Date{2025, 3, 5}).line();
}

TEST(RecordTemplates, BuildFileHeader) {
    const std::string tail =
        "20250305" + std::string(24, ' ') + "20250305000000" + "BCM" + "20250305" + std::string(24, ' ');
    EXPECT_EQ(header("C0001"), "001C0001       " + tail);
    EXPECT_EQ(header("C0001").size(), 96u);
    EXPECT_EQ(header("ABCDEFGHIJKL"), "001ABCDEFGHIJKL" + tail);
    EXPECT_EQ(header("  C01"), "001  C01       " + tail) << "blanks typed in the entry are kept";
    EXPECT_EQ(header(""), "001            " + tail);
    EXPECT_THROW(header("ABCDEFGHIJKLM"), ConversionError) << "an ID over 12 would shift the record";
}

// Fields written in place: the padding of each kind, joined parts, and values that are views into
// the very record they are written to.
TEST(RecordLayout, FillJoinAndSelfViews) {
    RecordTemplate<3> r003;
    r003.fill(Record003::TaxAmount, "125");
    r003.fill(Record003::CreditAccount, {});
    r003.setJoined(Record003::CreditAmount, {"00", "1234567890123", "0"});
    EXPECT_EQ(r003.view(Record003::TaxAmount), "0000000000000125");
    EXPECT_EQ(r003.view(Record003::CreditAccount), std::string(25, ' '));
    EXPECT_EQ(r003.view(Record003::CreditAmount), "0012345678901230");

    std::string before = r003.line();
    EXPECT_THROW(r003.setJoined(Record003::CreditAmount, {"00", "123", "0"}), ConversionError);
    EXPECT_EQ(r003.line(), before) << "a refused value changes nothing";

    r003.fill(Record003::ReceivingBankName, "ABCDEFGHIJ");
    r003.setJoined(Record003::ReceivingBankName,
                   {r003.view(Record003::ReceivingBankName).substr(5), "VWXYZ"});
    EXPECT_EQ(r003.view(Record003::ReceivingBankName), "FGHIJ" + std::string(25, ' ') + "VWXYZ");
    // Columns 180-214 overlap the bank name field 184-218 they are copied to.
    std::string expected = r003.line();
    expected.replace(183, 35, r003.line().substr(179, 35));
    r003.set(Record003::ReceivingBankName, std::string_view(r003.line()).substr(179, 35));
    EXPECT_EQ(r003.line(), expected);
}

}  // namespace
}  // namespace convertor::test

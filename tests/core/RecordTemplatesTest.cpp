#include <gtest/gtest.h>

#include <string>

#include "bankfile/FileHeader.h"
#include "bankfile/RecordTemplates.h"
#include "base/Clock.h"
#include "products/ConversionState.h"

namespace convertor::test {
namespace {

// 1-based start column of a field, from the widths of the fields before it.
int startOf(int recordType, int field) {
    int start = 1;
    for (int i = 0; i < field - 1; ++i) {
        start += recordLayout(recordType).at(i).width;
    }
    return start;
}

std::string cols(const std::string& line, int first, int last) {
    return line.substr(first - 1, last - first + 1);
}

TEST(RecordTemplates, RecordLengths) {
    EXPECT_EQ(recordLength(1), 96);
    EXPECT_EQ(recordLength(2), 109);
    EXPECT_EQ(recordLength(3), 355);
    EXPECT_EQ(recordLength(4), 816);
    EXPECT_EQ(recordLength(5), 138);
    EXPECT_EQ(recordLength(6), 196);
    EXPECT_EQ(recordLength(999), 31);
    for (int type = 2; type <= 6; ++type) {
        EXPECT_EQ(RecordTemplate(type).line().size(), static_cast<std::size_t>(recordLength(type)));
        for (const auto& field : recordLayout(type)) {
            EXPECT_EQ(field.defaultValue.size(), static_cast<std::size_t>(field.width)) << "record " << type;
        }
    }
}

TEST(RecordTemplates, FieldColumns) {
    // Columns the bank reads; a wrong width early in a record shifts everything after it.
    EXPECT_EQ(startOf(2, 8), 49);
    EXPECT_EQ(startOf(2, 10), 73);
    EXPECT_EQ(startOf(2, 13), 106);
    EXPECT_EQ(startOf(3, 4), 35);
    EXPECT_EQ(startOf(3, 22), 181);
    EXPECT_EQ(startOf(3, 24), 219);
    EXPECT_EQ(startOf(3, 32), 286);
    EXPECT_EQ(startOf(4, 10), 353);
    EXPECT_EQ(startOf(4, 13), 443);
    EXPECT_EQ(startOf(4, 17), 747);
    EXPECT_EQ(startOf(5, 9), 123);
    EXPECT_EQ(startOf(6, 10), 148);
    EXPECT_EQ(startOf(6, 13), 196);
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
    used.r002.set(2, "MCL");
    used.r003.set(9, "Y");
    used.r003.set(22, "014");
    used.r004.set(11, "XXXXXXXXXX");
    used.r004.set(17, std::string(70, 'Z'));
    used.r005.set(4, "01");
    used.r006.set(13, "F");
    EXPECT_EQ(used.r003.get(22), "014");
    EXPECT_EQ(cols(used.r004.line(), 423, 432), "XXXXXXXXXX");
    resetRecordTemplates(used);
    EXPECT_EQ(used.r002.line(), fresh.r002.line());
    EXPECT_EQ(used.r003.line(), fresh.r003.line());
    EXPECT_EQ(used.r004.line(), fresh.r004.line());
    EXPECT_EQ(used.r005.line(), fresh.r005.line());
    EXPECT_EQ(used.r006.line(), fresh.r006.line());
}

std::string header(const std::string& companyId, ConversionState& state) {
    buildFileHeader(state, companyId, Date{2025, 3, 5});
    return state.lineBuffer;
}

TEST(RecordTemplates, BuildFileHeader) {
    ConversionState state;
    const std::string tail = "20250305" + std::string(24, ' ') + "20250305000000" + "BCM" + "20250305" +
                             std::string(24, ' ') + "\r\n";
    EXPECT_EQ(header("C0001", state), "001C0001       " + tail);
    EXPECT_EQ(state.companyIdField, "C0001       ");
    EXPECT_EQ(state.lineBuffer.size(), 98u);
    EXPECT_EQ(header("ABCDEFGHIJKL", state), "001ABCDEFGHIJKL" + tail);
    EXPECT_EQ(header("  C01", state), "001  C01       " + tail) << "blanks typed in the entry are kept";
    EXPECT_EQ(state.companyIdField, "  C01       ");
    EXPECT_EQ(header("", state), "001            " + tail);
    EXPECT_EQ(state.companyIdField, std::string(12, ' '));
}

}  // namespace
}  // namespace convertor::test

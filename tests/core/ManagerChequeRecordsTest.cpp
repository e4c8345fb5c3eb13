#include <gtest/gtest.h>

#include "bankfile/RecordTemplate.h"
#include "core/ManagerChequeTestSupport.h"
#include "products/ChequeRecords.h"
#include "products/PaymentLine.h"

namespace convertor::test {
namespace {

// Record 003 fields 10, 11 and 24 of the plain cheque with a method code, a branch and a setting.
std::string chequeMethod(char method, const std::string& branch, const std::string& setting) {
    std::string text = patch(patch(chequeData("single.txt").at(0), 127, std::string(1, method)), 601, branch);
    PaymentLine line(text, 1);
    RecordTemplate<3> r003;
    fillChequeHead(r003, line, "000001");
    fillChequeRest(r003, line, setting);
    return r003.get(Record003::ChequeMethod) + "|" + r003.get(Record003::ChequeMethodDetail) + "|" +
           r003.get(Record003::ReceivingBranchCode);
}

TEST(ManagerChequeRecords, ReceivingBranchAndChequeMethodDetail) {
    EXPECT_EQ(chequeMethod('2', "     ", "TRUE"), "C|C001|0111");
    EXPECT_EQ(chequeMethod('2', "     ", "Error"), "C|C001|0111");
    EXPECT_EQ(chequeMethod('2', "     ", "false"), "C|C002|0001");
    EXPECT_EQ(chequeMethod('2', "  111", "false"), "C|C001|0111");
    EXPECT_EQ(chequeMethod('2', "00001", "TRUE"), "C|C002|0001");
    EXPECT_EQ(chequeMethod('2', " 25  ", "TRUE"), "C|    |0025");
    EXPECT_EQ(chequeMethod('2', "9999 ", "TRUE"), "C|    |9999");
    EXPECT_EQ(chequeMethod('1', "     ", "TRUE"), "P|    |0111");
    EXPECT_EQ(chequeMethod('3', "     ", "FALSE"), "M|    |0001");
    EXPECT_EQ(chequeMethod('4', "     ", "TRUE"), " |    |0111");
}

TEST(ManagerChequeRecords, EveryRecordKeepsItsWidthWhenTheLineIsShort) {
    // Lines are checked for 700 characters before the run, but a cut line must not shift fields.
    std::string text = chequeData("single.txt").at(0).substr(0, 300);
    PaymentLine line(text, 1);
    RecordTemplates templates;
    fillChequeHead(templates.r003, line, "000001");
    fillChequeRest(templates.r003, line, "TRUE");
    fillPayee(templates.r004, line, templates.r003);
    EXPECT_EQ(templates.r003.line().size(), 355u);
    EXPECT_EQ(templates.r004.line().size(), 816u);
}

}  // namespace
}  // namespace convertor::test

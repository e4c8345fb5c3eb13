#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "bankfile/BankFileVerifier.h"
#include "bankfile/FileDigest.h"
#include "bankfile/RecordTemplate.h"
#include "support/TestSupport.h"
#include "text/Padding.h"

namespace convertor::test {
namespace {

using Lines = std::vector<std::string>;

std::string record001() {
    return "001C0001       20250305" + std::string(24, ' ') + "20250305000000BCM20250305" +
           std::string(24, ' ');
}

std::string record002(const std::string& count, const std::string& total,
                      const std::string& product = "DCP") {
    RecordTemplate<2> r;
    r.set(Record002::ProductCode, product);
    r.set(Record002::ValueDate, "20250305");
    r.fill(Record002::DebitAccount, "1234567896");
    r.set(Record002::DebitAccountDigit, "04");
    r.set(Record002::DebitBranchCode, "0123");
    r.set(Record002::TotalAmount, total);
    r.set(Record002::CreditCount, count);
    r.fill(Record002::FeeAccount, "1234567896");
    r.set(Record002::FeeAccountDigit, "04");
    r.set(Record002::FeeBranchCode, "0123");
    return r.line();
}

std::string record003(const std::string& sequence, const std::string& amount) {
    RecordTemplate<3> r;
    r.set(Record003::CreditSequence, sequence);
    r.fill(Record003::CreditAccount, "1234567896");
    r.set(Record003::CreditAmount, amount);
    r.set(Record003::BatchReference, "00000001");
    r.set(Record003::ReceivingBankCode, "014");
    r.set(Record003::ReceivingBranchCode, "0123");
    return r.line();
}

std::string record004(const std::string& sequence) {
    RecordTemplate<4> r;
    r.set(Record004::CreditSequence, sequence);
    r.fill(Record004::PayeeNameEnglish, "JOHN SMITH");
    return r.line();
}

std::string record005(const std::string& sequence, const std::string& item) {
    RecordTemplate<5> r;
    r.set(Record005::BatchReference, "00000001");
    r.set(Record005::CreditSequence, sequence);
    r.set(Record005::TaxSequence, item);
    r.set(Record005::TaxAmount, "0000000000030000");
    return r.line();
}

std::string record006(const std::string& sequence, const std::string& item, const std::string& amount) {
    RecordTemplate<6> r;
    r.set(Record006::BatchReference, "00000001");
    r.set(Record006::CreditSequence, sequence);
    r.set(Record006::InvoiceSequence, item);
    r.set(Record006::InvoiceAmount, amount);
    r.set(Record006::InvoiceDate, "20250301");
    r.set(Record006::VatAmount, "-000000000000700");
    return r.line();
}

std::string trailer(const std::string& count, const std::string& total) {
    return "999000001" + count + total;
}

std::string digestOfText(const std::string& body) {
    Sha1 sha1;
    sha1.update(body);
    return digestText(sha1.finish());
}

// Two credits of 100.00 and 24.00; the first with a payee record.
Lines goodLines() {
    return {
        record001(),         record002("000002", "0000000000124000"), record003("000001", "0000000000100000"),
        record004("000001"), record003("000002", "0000000000024000"), trailer("000002", "0000000000124000")};
}

class BankFileVerifier : public ::testing::Test {
protected:
    // Writes the digest of the body, then the body, and verifies the file.
    std::vector<std::string> verifyBody(const std::string& body) {
        writeFile(m_dir / "bank.txt", digestOfText(body) + "\r\n" + body);
        return verifyBankFile(m_dir / "bank.txt");
    }
    std::vector<std::string> verify(const Lines& lines) { return verifyBody(crlfLines(lines)); }
    std::vector<std::string> verifyRaw(const std::string& bytes) {
        writeFile(m_dir / "bank.txt", bytes);
        return verifyBankFile(m_dir / "bank.txt");
    }

    TempDir m_dir;
};

// One problem, reported on the given line, whose text holds `words`.
void expectOneProblem(const std::vector<std::string>& problems, int line, const std::string& words) {
    ASSERT_EQ(problems.size(), 1u) << ::testing::PrintToString(problems);
    EXPECT_EQ(problems[0].rfind("line " + std::to_string(line) + ": ", 0), 0u) << problems[0];
    EXPECT_NE(problems[0].find(words), std::string::npos) << problems[0];
}

TEST_F(BankFileVerifier, GoodFiles) {
    EXPECT_EQ(verify(goodLines()), Lines{});
    // A cheque run: payee, withholding tax and invoices (signed amounts) after each credit.
    EXPECT_EQ(
        verify({record001(), record002("000002", "0000000000124000", "MCP"),
                record003("000001", "0000000000100000"), record004("000001"), record005("000001", "01"),
                record005("000001", "02"), record006("000001", "000001", "-000000000012340"),
                record006("000001", "000002", "0000000000050000"), record003("000002", "0000000000024000"),
                record005("000002", "01"), record006("000002", "000001", "0000000000024000"),
                trailer("000002", "0000000000124000")}),
        Lines{});
}

TEST_F(BankFileVerifier, Digest) {
    std::string body = crlfLines(goodLines());
    std::string digest = digestOfText(body);
    // Lower-case hexadecimal is not the digest line the bank reads.
    std::string lower = digest;
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    ASSERT_NE(lower, digest);
    expectOneProblem(verifyRaw(lower + "\r\n" + body), 1, "digest");
    expectOneProblem(verifyRaw(digest + "\n" + body), 1, "digest line");
    expectOneProblem(verifyRaw(digest.substr(0, 39) + "\r\n" + body), 1, "digest line");
    expectOneProblem(verifyRaw(""), 1, "digest line");
    // A changed record under the old digest.
    std::string changed = body;
    changed[changed.find("JOHN")] = 'X';
    expectOneProblem(verifyRaw(digest + "\r\n" + changed), 1, "digest");
}

TEST_F(BankFileVerifier, LineEnds) {
    Lines lines = goodLines();
    std::string body = lines[0] + "\r\n" + lines[1] + "\r\n" + lines[2] + "\n" + lines[3] + "\r\n" +
                       lines[4] + "\r\n" + lines[5] + "\r\n";
    expectOneProblem(verifyBody(body), 4, "CR LF");
    std::string unended = crlfLines(lines);
    unended.resize(unended.size() - 2);
    expectOneProblem(verifyBody(unended), 7, "CR LF");

    // A CR or NUL inside a record breaks the bank's reading of lines as much as a lone LF does.
    for (auto [byte, words] : {std::pair{'\r', "a CR stands inside"}, std::pair{'\0', "a NUL byte"}}) {
        Lines dirty = goodLines();
        dirty[3][40] = byte;
        expectOneProblem(verify(dirty), 5, words);
    }
}

TEST_F(BankFileVerifier, RecordOrder) {
    Lines lines = goodLines();
    std::swap(lines[2], lines[3]);  // 004 before its 003
    auto problems = verify(lines);
    ASSERT_FALSE(problems.empty());
    EXPECT_EQ(problems[0], "line 4: record 004 out of order");

    lines = goodLines();
    lines.insert(lines.begin() + 4, record004("000001"));  // a second 004 for one credit
    expectOneProblem(verify(lines), 6, "out of order");

    lines = goodLines();
    lines.insert(lines.begin() + 4, record006("000001", "000001", "0000000000010000"));
    lines.insert(lines.begin() + 5, record005("000001", "01"));  // tax after invoice
    expectOneProblem(verify(lines), 7, "out of order");
}

TEST_F(BankFileVerifier, RecordLengthsAndFields) {
    Lines lines = goodLines();
    lines[4] += " ";
    auto problems = verify(lines);
    ASSERT_FALSE(problems.empty());
    EXPECT_EQ(problems[0], "line 6: record 003 is 356 characters long, not 355");

    lines = goodLines();
    lines[3].pop_back();
    expectOneProblem(verify(lines), 5, "815");

    lines = goodLines();
    lines[0] += "X";
    expectOneProblem(verify(lines), 2, "97");

    lines = goodLines();
    lines[4].replace(50, 3, "USD");
    expectOneProblem(verify(lines), 6, "THB");

    lines = goodLines();
    lines[1].replace(3, 3, "XYZ");
    expectOneProblem(verify(lines), 3, "product code");

    lines = goodLines();
    lines[2].replace(69, 2, "0A");  // record 003 field 12
    expectOneProblem(verify(lines), 4, "field 12");
}

// A digit field is held to digits where the product computes it, not where it copies a source
// line's columns as they stand: the receiving branch code of record 003 is Media Clearing's.
TEST_F(BankFileVerifier, FieldsCopiedAsTypedAreHeldToTheirWidthOnly) {
    for (const char* product : {"DCP", "MCL", "XYZ"}) {
        Lines lines = goodLines();
        lines[1] = record002("000002", "0000000000124000", product);
        lines[2].replace(218, 4, "1.5 ");
        std::vector<std::string> problems = verify(lines);
        if (std::string(product) == "DCP") {
            expectOneProblem(problems, 4, "record 003 field 24 is not all digits");
        } else if (std::string(product) == "MCL") {
            EXPECT_EQ(problems, Lines{});
        } else {
            expectOneProblem(problems, 3, "product code");
        }
    }
}

TEST_F(BankFileVerifier, SequenceNumbers) {
    Lines lines = goodLines();
    lines[4] = record003("000003", "0000000000024000");
    expectOneProblem(verify(lines), 6, "000002");

    lines = goodLines();
    lines[3] = record004("000002");  // payee of a credit that is not the one before it
    expectOneProblem(verify(lines), 5, "000002");
}

TEST_F(BankFileVerifier, CountsAndTotals) {
    Lines lines = goodLines();
    lines[1] = record002("000003", "0000000000124000");
    expectOneProblem(verify(lines), 3, "credit count");

    lines = goodLines();
    lines[1] = record002("000002", "0000000000124010");
    expectOneProblem(verify(lines), 3, "total amount");

    lines = goodLines();
    lines[1] = record002("000001", "0000000000100000");
    lines[5] = trailer("000001", "0000000000100000");
    auto problems = verify(lines);
    EXPECT_EQ(problems.size(), 2u) << "record 002 and the trailer agree, but not with the records 003";

    lines = goodLines();
    lines[5] = trailer("000002", "0000000000124100");
    problems = verify(lines);
    ASSERT_FALSE(problems.empty());
    EXPECT_NE(problems[0].find("line 7: trailer total amount"), std::string::npos) << problems[0];
}

TEST_F(BankFileVerifier, HugeSumsDoNotWrapAround) {
    // 1845 credits whose amounts add up to 2^64 thousandths plus 124.000: a sum kept modulo 2^64
    // would agree with a trailer of 124.00.
    Lines lines = {record001(), record002("001845", "0000000000124000")};
    for (int i = 1; i <= 1845; ++i) {
        std::string amount = i < 1845 ? "9999999999999999" : "6744073709677460";
        lines.push_back(record003(padLeftZeros(std::to_string(i), 6), amount));
    }
    lines.push_back(trailer("001845", "0000000000124000"));
    auto problems = verify(lines);
    ASSERT_EQ(problems.size(), 1u) << ::testing::PrintToString(problems);
    EXPECT_NE(problems[0].find("trailer total amount"), std::string::npos) << problems[0];
}

TEST_F(BankFileVerifier, TrailerPlace) {
    Lines lines = goodLines();
    lines.pop_back();
    expectOneProblem(verify(lines), 7, "trailer line is missing");

    lines = goodLines();
    lines.push_back(record003("000003", "0000000000024000"));
    expectOneProblem(verify(lines), 8, "follows the trailer");

    expectOneProblem(verifyBody(crlfLines(goodLines()) + "\r\n"), 8, "follows the trailer");
}

TEST_F(BankFileVerifier, MissingFile) {
    auto problems = verifyBankFile(m_dir / "missing.txt");
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].rfind("line 1: ", 0), 0u);
}

}  // namespace
}  // namespace convertor::test

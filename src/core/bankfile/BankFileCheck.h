#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "bankfile/RecordLayout.h"

namespace convertor {

// The checks of a bank file's records, fed line by line: record 001 and record 002 (the head),
// then the records 003 to 006 and the trailer (the body). The head may come after the body: a
// conversion knows record 002 only at the end. Problems read "line N: ...".
//
// The check holds the file to what a converter computes (lengths, literals, order, sequence
// numbers, counts, sums); a field that the product copies from a source line as it stands is held
// to its width only. The product is the converter's own, or else the one record 002 names.
class BankFileCheck {
public:
    explicit BankFileCheck(std::optional<Product> product = std::nullopt) : m_product(product) {}

    void headerLine(long n, std::string_view line);
    void debitLine(long n, std::string_view line);
    // terminated: the line ended with CR LF.
    void bodyLine(long n, std::string_view line, bool terminated = true);
    // afterLast: the number the trailer would have had when it is missing.
    std::vector<std::string> finish(long afterLast);

    void problem(long n, const std::string& text) {
        m_problems.push_back("line " + std::to_string(n) + ": " + text);
    }

private:
    enum class Expect { Credit, AfterCredit, Done };

    bool checkLength(long n, std::string_view line, int type);
    void checkDigits(long n, std::string_view line, const FieldSpec& f, const char* name);
    void checkLiteral(long n, std::string_view line, const FieldSpec& f);
    void checkLayout(long n, std::string_view line, int type);
    void trailerLine(long n, std::string_view line);
    void compareDebitWithTrailer();

    std::optional<Product> m_product;
    std::vector<std::string> m_problems;
    Expect m_expect = Expect::Credit;
    long m_expectedSequence = 1;
    std::string m_creditSequence;
    long m_credits = 0;
    std::int64_t m_sum = 0;
    int m_lastType = 0;
    std::string m_record002;
    long m_record002Line = 0;
    std::string m_trailerCount;
    std::string m_trailerAmount;
    bool m_compared = false;
};

}  // namespace convertor

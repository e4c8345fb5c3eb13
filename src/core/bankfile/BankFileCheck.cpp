#include "bankfile/BankFileCheck.h"

#include <algorithm>

#include "bankfile/AmountText.h"
#include "text/Numbers.h"
#include "text/Padding.h"

namespace convertor {

namespace {

constexpr std::int64_t kSumCap = 10'000'000'000'000'000;

std::string_view field(std::string_view line, const FieldSpec& f) {
    return line.substr(static_cast<std::size_t>(f.start - 1), static_cast<std::size_t>(f.width));
}

// The field of a record 004 to 006 naming the record 003 it belongs to.
const FieldSpec& creditOf(int recordType) {
    switch (recordType) {
        case 4:
            return Record004::CreditSequence;
        case 5:
            return Record005::CreditSequence;
        default:
            return Record006::CreditSequence;
    }
}

int bodyType(std::string_view type) {
    if (type.size() != 3 || type[0] != '0' || type[1] != '0') {
        return 0;
    }
    return type[2] >= '3' && type[2] <= '6' ? type[2] - '0' : 0;
}

}  // namespace

bool BankFileCheck::checkLength(long n, std::string_view line, int type) {
    auto expected = static_cast<std::size_t>(recordLength(type));
    if (line.size() != expected) {
        problem(n, recordName(type) + " is " + std::to_string(line.size()) + " characters long, not " +
                       std::to_string(expected));
        return false;
    }
    return true;
}

void BankFileCheck::checkDigits(long n, std::string_view line, const FieldSpec& f, const char* name) {
    if (!isDigits(field(line, f))) {
        problem(n, std::string(name) + " is not all digits");
    }
}

void BankFileCheck::checkLiteral(long n, std::string_view line, const FieldSpec& f) {
    if (field(line, f) != f.value) {
        problem(n, "columns " + std::to_string(f.start) + "-" + std::to_string(f.last()) + " must hold \"" +
                       std::string(f.value) + "\"");
    }
}

// Literal fields hold their text; digit fields that the converter computes hold digits (a signed
// field may start with '-').
void BankFileCheck::checkLayout(long n, std::string_view line, int type) {
    for (const FieldSpec& f : recordFields(type)) {
        std::string_view text = field(line, f);
        if (f.kind == FieldKind::Literal) {
            checkLiteral(n, line, f);
        } else if ((f.kind == FieldKind::Digits || f.kind == FieldKind::Signed) &&
                   !copiedAsTyped(f, m_product)) {
            bool negative = f.kind == FieldKind::Signed && !text.empty() && text[0] == '-';
            if (!isDigits(negative ? text.substr(1) : text)) {
                problem(n, recordName(type) + " field " + std::to_string(f.number) + " is not all digits");
            }
        }
    }
}

void BankFileCheck::headerLine(long n, std::string_view line) {
    if (line.substr(0, 3) != "001") {
        problem(n, "record 001 expected");
    } else if (checkLength(n, line, 1)) {
        checkLiteral(n, line, Record001::FileCode);
        checkDigits(n, line, Record001::FileDate, "record 001 file date");
        checkDigits(n, line, Record001::FileDateTime, "record 001 file date and time");
        checkDigits(n, line, Record001::FileDate2, "record 001 file date 2");
    }
}

void BankFileCheck::debitLine(long n, std::string_view line) {
    if (line.substr(0, 3) != "002") {
        problem(n, "record 002 expected");
        return;
    }
    if (!checkLength(n, line, 2)) {
        return;
    }
    std::optional<Product> named = productFromCode(field(line, Record002::ProductCode));
    if (!named) {
        problem(n, "record 002 product code is not DCP, PAY, MCL or MCP");
    } else if (!m_product) {
        m_product = named;
    }
    checkLayout(n, line, 2);
    m_record002 = line;
    m_record002Line = n;
    if (m_expect == Expect::Done) {
        compareDebitWithTrailer();
    }
}

void BankFileCheck::compareDebitWithTrailer() {
    if (m_compared || m_record002.empty() || m_trailerCount.empty()) {
        return;
    }
    m_compared = true;
    if (field(m_record002, Record002::CreditCount) != m_trailerCount) {
        problem(m_record002Line, "record 002 credit count differs from the trailer");
    }
    if (field(m_record002, Record002::TotalAmount) != m_trailerAmount) {
        problem(m_record002Line, "record 002 total amount differs from the trailer");
    }
}

void BankFileCheck::trailerLine(long n, std::string_view line) {
    m_expect = Expect::Done;
    if (!checkLength(n, line, 999)) {
        return;
    }
    checkLiteral(n, line, Record999::DebitCount);
    checkDigits(n, line, Record999::CreditCount, "trailer credit count");
    checkDigits(n, line, Record999::TotalAmount, "trailer total amount");
    auto total = totalText(m_sum);
    m_trailerCount = field(line, Record999::CreditCount);
    m_trailerAmount = field(line, Record999::TotalAmount);
    if (m_trailerCount != padLeftZeros(std::to_string(m_credits), Record999::CreditCount.width)) {
        problem(n, "trailer credit count differs from the " + std::to_string(m_credits) + " records 003");
    }
    if (!total || m_trailerAmount != *total) {
        problem(n, "trailer total amount differs from the sum of the records 003");
    }
    compareDebitWithTrailer();
}

void BankFileCheck::bodyLine(long n, std::string_view line, bool terminated) {
    if (!terminated) {
        problem(n, "the line does not end with CR LF");
    }
    std::string_view type = line.substr(0, 3);
    if (m_expect == Expect::Done) {
        problem(n, "a line follows the trailer");
        return;
    }
    if (type == "999") {
        trailerLine(n, line);
        return;
    }
    int recordType = bodyType(type);
    if (recordType == 0) {
        problem(n, "unknown record type \"" + std::string(type) + "\"");
        return;
    }
    bool inOrder = recordType == 3   ? true
                   : recordType == 4 ? m_lastType == 3
                   : recordType == 5 ? (m_lastType == 3 || m_lastType == 4 || m_lastType == 5)
                                     : (m_lastType >= 3 && m_lastType <= 6);
    if (!inOrder || (m_expect == Expect::Credit && recordType != 3)) {
        problem(n, "record " + std::string(type) + " out of order");
    }
    m_lastType = recordType;
    if (!checkLength(n, line, recordType)) {
        return;
    }
    checkLayout(n, line, recordType);
    m_expect = Expect::AfterCredit;
    if (recordType == 3) {
        m_creditSequence = field(line, Record003::CreditSequence);
        std::string expected =
            padLeftZeros(std::to_string(m_expectedSequence), Record003::CreditSequence.width);
        if (m_creditSequence != expected) {
            problem(n, "record 003 sequence number " + m_creditSequence + " should be " + expected);
        }
        ++m_expectedSequence;
        ++m_credits;
        if (auto amount = amountThousandths(field(line, Record003::CreditAmount))) {
            // Capped: a corrupt file of huge amounts must not wrap the sum around.
            m_sum = std::min<std::int64_t>(m_sum + *amount, kSumCap);
        }
    } else if (std::string_view owner = field(line, creditOf(recordType)); owner != m_creditSequence) {
        problem(n, "record " + std::string(type) + " belongs to credit " + std::string(owner) + ", not to " +
                       m_creditSequence);
    }
}

std::vector<std::string> BankFileCheck::finish(long afterLast) {
    if (m_expect != Expect::Done) {
        problem(afterLast, "the trailer line is missing");
    }
    compareDebitWithTrailer();
    return std::move(m_problems);
}

}  // namespace convertor

#include "bankfile/BankFileVerifier.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <set>

#include "bankfile/AmountText.h"
#include "bankfile/FieldChecks.h"
#include "bankfile/FileDigest.h"
#include "bankfile/RecordLayout.h"

namespace convertor {

namespace {

constexpr std::int64_t kSumCap = 10'000'000'000'000'000;

// Streams a file as CR LF lines, hashing every byte after the first line.
class LineStream {
public:
    explicit LineStream(std::FILE* file) : m_file(file) {}

    // False at the end of the file. `terminated` tells whether the line ended with CR LF.
    bool next(std::string& line, bool& terminated) {
        line.clear();
        terminated = false;
        for (;;) {
            if (m_pos == m_end && !fill()) {
                return !line.empty();
            }
            const char* begin = m_buffer + m_pos;
            const char* lf = static_cast<const char*>(std::memchr(begin, '\n', m_end - m_pos));
            std::size_t size = lf ? static_cast<std::size_t>(lf - begin) + 1 : m_end - m_pos;
            line.append(begin, size);
            m_pos += size;
            if (lf) {
                line.pop_back();
                terminated = !line.empty() && line.back() == '\r';
                if (terminated) {
                    line.pop_back();
                }
                return true;
            }
        }
    }
    Sha1& sha1() { return m_sha1; }
    void startHashing() { m_hashing = true; }

private:
    bool fill() {
        m_pos = 0;
        m_end = std::fread(m_buffer, 1, sizeof m_buffer, m_file);
        if (m_hashing) {
            m_sha1.update(m_buffer, m_end);
        }
        return m_end > 0;
    }

    std::FILE* m_file;
    char m_buffer[1 << 16];
    std::size_t m_pos = 0;
    std::size_t m_end = 0;
    bool m_hashing = false;
    Sha1 m_sha1;
};

std::string_view field(const std::string& line, const FieldSpec& f) {
    return std::string_view(line).substr(static_cast<std::size_t>(f.start - 1),
                                         static_cast<std::size_t>(f.width));
}

// The credit sequence number field of a record that follows its record 003.
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

class Verifier {
public:
    void problem(long lineNumber, const std::string& text) {
        problems.push_back("line " + std::to_string(lineNumber) + ": " + text);
    }

    bool checkLength(long n, const std::string& line, int type) {
        auto expected = static_cast<std::size_t>(recordLength(type));
        if (line.size() != expected) {
            problem(n, recordName(type) + " is " + std::to_string(line.size()) + " characters long, not " +
                           std::to_string(expected));
            return false;
        }
        return true;
    }

    void checkDigits(long n, const std::string& line, const FieldSpec& f, const char* name) {
        if (!isDigits(field(line, f))) {
            problem(n, std::string(name) + " is not all digits");
        }
    }

    void checkLiteral(long n, const std::string& line, const FieldSpec& f) {
        if (field(line, f) != f.value) {
            problem(n, "columns " + std::to_string(f.start) + "-" + std::to_string(f.last()) +
                           " must hold \"" + std::string(f.value) + "\"");
        }
    }

    // Checks every digit and literal field of a record of the length of its type.
    void checkLayout(long n, const std::string& line, int type) {
        for (const FieldSpec& f : recordFields(type)) {
            std::string_view text = field(line, f);
            if (f.kind == FieldKind::Literal) {
                checkLiteral(n, line, f);
            } else if (f.kind == FieldKind::Digits || f.kind == FieldKind::Signed) {
                bool negative = f.kind == FieldKind::Signed && !text.empty() && text[0] == '-';
                if (!isDigits(negative ? text.substr(1) : text)) {
                    problem(n,
                            recordName(type) + " field " + std::to_string(f.number) + " is not all digits");
                }
            }
        }
    }

    std::vector<std::string> problems;
};

}  // namespace

std::vector<std::string> verifyBankFile(const std::filesystem::path& file) {
    Verifier v;
    std::FILE* handle = std::fopen(file.c_str(), "rb");
    if (handle == nullptr) {
        v.problem(1, "cannot open " + file.string() + ": " + std::strerror(errno));
        return v.problems;
    }
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> closer(handle, &std::fclose);
    LineStream lines(handle);
    std::string line;
    bool terminated = false;
    long n = 0;

    // The digest line: read it straight, so that hashing starts at the byte after it.
    char digestLine[DigestLine::kWidth + 2];
    std::size_t got = std::fread(digestLine, 1, sizeof digestLine, handle);
    n = 1;
    std::string digest(digestLine, std::min<std::size_t>(got, DigestLine::kWidth));
    if (got < sizeof digestLine || digestLine[DigestLine::kWidth] != '\r' ||
        digestLine[DigestLine::kWidth + 1] != '\n') {
        v.problem(1, "the digest line must be 40 characters followed by CR LF");
        return v.problems;
    }
    lines.startHashing();

    enum class Expect { Header, Debit, Credit, AfterCredit, Done };
    Expect expect = Expect::Header;
    long expectedSequence = 1;
    std::string creditSequence;
    long credits = 0;
    std::int64_t sum = 0;
    int lastType = 0;
    std::string record002;
    long record002Line = 0;
    while (lines.next(line, terminated)) {
        ++n;
        if (!terminated) {
            v.problem(n, "the line does not end with CR LF");
        }
        std::string type = line.substr(0, 3);
        if (expect == Expect::Done) {
            v.problem(n, "a line follows the trailer");
            continue;
        }
        if (expect == Expect::Header) {
            if (type != "001") {
                v.problem(n, "record 001 expected");
            } else if (v.checkLength(n, line, 1)) {
                v.checkLiteral(n, line, Record001::FileCode);
                v.checkDigits(n, line, Record001::FileDate, "record 001 file date");
                v.checkDigits(n, line, Record001::FileDateTime, "record 001 file date and time");
                v.checkDigits(n, line, Record001::FileDate2, "record 001 file date 2");
            }
            expect = Expect::Debit;
            continue;
        }
        if (expect == Expect::Debit) {
            if (type != "002") {
                v.problem(n, "record 002 expected");
            } else if (v.checkLength(n, line, 2)) {
                v.checkLayout(n, line, 2);
                static const std::set<std::string_view> kProducts{"DCP", "PAY", "MCL", "MCP"};
                if (!kProducts.count(field(line, Record002::ProductCode))) {
                    v.problem(n, "record 002 product code is not DCP, PAY, MCL or MCP");
                }
                record002 = line;
                record002Line = n;
            }
            expect = Expect::Credit;
            continue;
        }
        if (type == "999") {
            if (v.checkLength(n, line, 999)) {
                v.checkLiteral(n, line, Record999::DebitCount);
                v.checkDigits(n, line, Record999::CreditCount, "trailer credit count");
                v.checkDigits(n, line, Record999::TotalAmount, "trailer total amount");
                auto total = totalText(sum);
                std::string_view count = field(line, Record999::CreditCount);
                std::string_view amount = field(line, Record999::TotalAmount);
                if (count != padLeftZeros(std::to_string(credits), Record999::CreditCount.width)) {
                    v.problem(n, "trailer credit count differs from the " + std::to_string(credits) +
                                     " records 003");
                }
                if (!total || amount != *total) {
                    v.problem(n, "trailer total amount differs from the sum of the records 003");
                }
                if (!record002.empty()) {
                    if (field(record002, Record002::CreditCount) != count) {
                        v.problem(record002Line, "record 002 credit count differs from the trailer");
                    }
                    if (field(record002, Record002::TotalAmount) != amount) {
                        v.problem(record002Line, "record 002 total amount differs from the trailer");
                    }
                }
            }
            expect = Expect::Done;
            continue;
        }
        int recordType = type == "003" ? 3 : type == "004" ? 4 : type == "005" ? 5 : type == "006" ? 6 : 0;
        if (recordType == 0) {
            v.problem(n, "unknown record type \"" + type + "\"");
            continue;
        }
        bool inOrder = recordType == 3   ? true
                       : recordType == 4 ? lastType == 3
                       : recordType == 5 ? (lastType == 3 || lastType == 4 || lastType == 5)
                                         : (lastType >= 3 && lastType <= 6);
        if (!inOrder || (expect == Expect::Credit && recordType != 3)) {
            v.problem(n, "record " + type + " out of order");
        }
        if (!v.checkLength(n, line, recordType)) {
            lastType = recordType;
            continue;
        }
        v.checkLayout(n, line, recordType);
        if (recordType == 3) {
            creditSequence = std::string(field(line, Record003::CreditSequence));
            std::string expected =
                padLeftZeros(std::to_string(expectedSequence), Record003::CreditSequence.width);
            if (creditSequence != expected) {
                v.problem(n, "record 003 sequence number " + creditSequence + " should be " + expected);
            }
            ++expectedSequence;
            ++credits;
            if (auto amount = amountThousandths(field(line, Record003::CreditAmount))) {
                // Capped where totalText refuses, so that many large amounts cannot wrap the sum.
                sum = std::min<std::int64_t>(sum + *amount, kSumCap);
            }
        } else if (std::string_view owner = field(line, creditOf(recordType)); owner != creditSequence) {
            v.problem(n, "record " + type + " belongs to credit " + std::string(owner) + ", not to " +
                             creditSequence);
        }
        lastType = recordType;
        expect = Expect::AfterCredit;
    }
    if (expect != Expect::Done) {
        v.problem(n + 1, "the trailer line is missing");
    }
    if (digestText(lines.sha1().finish()) != digest) {
        v.problem(1, "the digest line does not match the SHA-1 of the rest of the file");
    }
    return v.problems;
}

}  // namespace convertor

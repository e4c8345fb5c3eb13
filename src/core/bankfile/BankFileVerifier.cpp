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
#include "bankfile/RecordTemplates.h"

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

struct Field {
    std::size_t start;  // 1-based
    std::size_t width;
};

std::string_view field(const std::string& line, Field f) {
    return std::string_view(line).substr(f.start - 1, f.width);
}

class Verifier {
public:
    void problem(long lineNumber, const std::string& text) {
        problems.push_back("line " + std::to_string(lineNumber) + ": " + text);
    }

    bool checkLength(long n, const std::string& line, int type, const char* name) {
        auto expected = static_cast<std::size_t>(recordLength(type));
        if (line.size() != expected) {
            problem(n, std::string(name) + " is " + std::to_string(line.size()) + " characters long, not " +
                           std::to_string(expected));
            return false;
        }
        return true;
    }

    void checkDigits(long n, const std::string& line, Field f, const char* name) {
        if (!isDigits(field(line, f))) {
            problem(n, std::string(name) + " is not all digits");
        }
    }

    void checkLiteral(long n, const std::string& line, Field f, std::string_view literal) {
        if (field(line, f) != literal) {
            problem(n, "columns " + std::to_string(f.start) + "-" + std::to_string(f.start + f.width - 1) +
                           " must hold \"" + std::string(literal) + "\"");
        }
    }

    // Checks every field of a templated record against its layout (digits and literals).
    void checkLayout(long n, const std::string& line, int type) {
        std::size_t start = 1;
        int number = 1;
        for (const auto& layout : recordLayout(type)) {
            Field f{start, static_cast<std::size_t>(layout.width)};
            std::string name = "record " + std::string(type < 10 ? "00" : "") + std::to_string(type) +
                               " field " + std::to_string(number);
            if (layout.kind == FieldKind::Literal) {
                checkLiteral(n, line, f, layout.defaultValue);
            } else if (layout.kind == FieldKind::Digits) {
                std::string_view text = field(line, f);
                bool signedAmount = type == 6 && layout.width == 16 && !text.empty() && text[0] == '-';
                if (!isDigits(signedAmount ? text.substr(1) : text)) {
                    problem(n, name + " is not all digits");
                }
            }
            start += layout.width;
            ++number;
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
    char digestLine[42];
    std::size_t got = std::fread(digestLine, 1, sizeof digestLine, handle);
    n = 1;
    std::string digest(digestLine, std::min<std::size_t>(got, 40));
    if (got < 42 || digestLine[40] != '\r' || digestLine[41] != '\n') {
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
            } else if (v.checkLength(n, line, 1, "record 001")) {
                v.checkLiteral(n, line, {62, 3}, "BCM");
                v.checkDigits(n, line, {16, 8}, "record 001 file date");
                v.checkDigits(n, line, {48, 14}, "record 001 file date and time");
                v.checkDigits(n, line, {65, 8}, "record 001 file date 2");
            }
            expect = Expect::Debit;
            continue;
        }
        if (expect == Expect::Debit) {
            if (type != "002") {
                v.problem(n, "record 002 expected");
            } else if (v.checkLength(n, line, 2, "record 002")) {
                v.checkLayout(n, line, 2);
                static const std::set<std::string_view> kProducts{"DCP", "PAY", "MCL", "MCP"};
                if (!kProducts.count(field(line, {4, 3}))) {
                    v.problem(n, "record 002 product code is not DCP, PAY, MCL or MCP");
                }
                record002 = line;
                record002Line = n;
            }
            expect = Expect::Credit;
            continue;
        }
        if (type == "999") {
            if (v.checkLength(n, line, 999, "the trailer")) {
                v.checkLiteral(n, line, {1, 9}, "999000001");
                v.checkDigits(n, line, {10, 6}, "trailer credit count");
                v.checkDigits(n, line, {16, 16}, "trailer total amount");
                auto total = totalText(sum);
                if (field(line, {10, 6}) != padLeftZeros(std::to_string(credits), 6)) {
                    v.problem(n, "trailer credit count differs from the " + std::to_string(credits) +
                                     " records 003");
                }
                if (!total || field(line, {16, 16}) != *total) {
                    v.problem(n, "trailer total amount differs from the sum of the records 003");
                }
                if (!record002.empty()) {
                    if (field(record002, {73, 6}) != field(line, {10, 6})) {
                        v.problem(record002Line, "record 002 credit count differs from the trailer");
                    }
                    if (field(record002, {49, 16}) != field(line, {16, 16})) {
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
        if (!v.checkLength(n, line, recordType, ("record " + type).c_str())) {
            lastType = recordType;
            continue;
        }
        v.checkLayout(n, line, recordType);
        if (recordType == 3) {
            creditSequence = std::string(field(line, {4, 6}));
            if (creditSequence != padLeftZeros(std::to_string(expectedSequence), 6)) {
                v.problem(n, "record 003 sequence number " + creditSequence + " should be " +
                                 padLeftZeros(std::to_string(expectedSequence), 6));
            }
            ++expectedSequence;
            ++credits;
            if (auto amount = amountThousandths(field(line, {35, 16}))) {
                // Capped where totalText refuses, so that many large amounts cannot wrap the sum.
                sum = std::min<std::int64_t>(sum + *amount, kSumCap);
            }
        } else if (field(line, {12, 6}) != creditSequence) {
            v.problem(n, "record " + type + " belongs to credit " + std::string(field(line, {12, 6})) +
                             ", not to " + creditSequence);
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

#include "bankfile/BankFileVerifier.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string_view>

#include "bankfile/BankFileCheck.h"
#include "bankfile/FileDigest.h"
#include "bankfile/RecordLayout.h"

namespace convertor {

namespace {

// Longer than any record by far: what a line holds beyond it is counted, not kept.
constexpr std::size_t kLongestKept = 4096;

// One line of the file: its first bytes, its whole length, how it ended and what it holds that
// no record may.
struct Line {
    std::string text;
    std::size_t length = 0;
    bool terminated = false;  // ended with CR LF
    bool cr = false;          // a CR inside it
    bool nul = false;
};

// Streams a file as CR LF lines, hashing every byte after the first line.
class LineStream {
public:
    explicit LineStream(std::FILE* file) : m_file(file) {}

    // False at the end of the file.
    bool next(Line& line) {
        line.text.clear();
        line.length = 0;
        line.nul = false;
        std::size_t crs = 0;
        char last = '\0';
        for (;;) {
            if (m_pos == m_end && !fill()) {
                if (line.length == 0) {
                    return false;
                }
                line.terminated = false;
                line.cr = crs > 0;
                return true;
            }
            const char* begin = m_buffer + m_pos;
            const char* lf = static_cast<const char*>(std::memchr(begin, '\n', m_end - m_pos));
            const std::size_t size = lf ? static_cast<std::size_t>(lf - begin) : m_end - m_pos;
            const std::string_view bytes(begin, size);
            crs += static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\r'));
            line.nul = line.nul || bytes.find('\0') != std::string_view::npos;
            const std::size_t room = kLongestKept + 1 - std::min(line.text.size(), kLongestKept + 1);
            line.text.append(begin, std::min(room, size));
            line.length += size;
            last = size > 0 ? begin[size - 1] : last;
            m_pos += size;
            if (lf) {
                ++m_pos;
                // The CR of the CR LF ends the line; any other CR stands inside it.
                line.terminated = line.length > 0 && last == '\r';
                if (line.terminated) {
                    --crs;
                    --line.length;
                    if (line.text.size() > line.length) {
                        line.text.pop_back();
                    }
                }
                line.cr = crs > 0;
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

}  // namespace

std::vector<std::string> verifyBankFile(const std::filesystem::path& file) {
    BankFileCheck check;
    std::FILE* handle = std::fopen(file.c_str(), "rb");
    if (handle == nullptr) {
        return {"line 1: cannot open " + file.string() + ": " + std::strerror(errno)};
    }
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> closer(handle, &std::fclose);
    LineStream lines(handle);

    // Line 1: the digest of everything after it.
    char digestLine[DigestLine::kWidth + 2];
    std::size_t got = std::fread(digestLine, 1, sizeof digestLine, handle);
    std::string digest(digestLine, std::min<std::size_t>(got, DigestLine::kWidth));
    if (got < sizeof digestLine || digestLine[DigestLine::kWidth] != '\r' ||
        digestLine[DigestLine::kWidth + 1] != '\n') {
        return {"line 1: the digest line must be 40 characters followed by CR LF"};
    }
    lines.startHashing();

    Line line;
    long n = 1;
    while (lines.next(line)) {
        ++n;
        if (!line.terminated) {
            check.problem(n, "the line does not end with CR LF");
        }
        if (line.cr) {
            check.problem(n, "a CR stands inside the record");
        }
        if (line.nul) {
            check.problem(n, "a NUL byte stands inside the record");
        }
        if (line.length > kLongestKept) {
            check.problem(n, "the line is " + std::to_string(line.length) + " characters long");
            continue;
        }
        if (n == 2) {
            check.headerLine(n, line.text);
        } else if (n == 3) {
            check.debitLine(n, line.text);
        } else {
            check.bodyLine(n, line.text, true);
        }
    }
    std::vector<std::string> problems = check.finish(n + 1);
    if (digestText(lines.sha1().finish()) != digest) {
        problems.push_back("line 1: the digest line does not match the SHA-1 of the rest of the file");
    }
    return problems;
}

}  // namespace convertor

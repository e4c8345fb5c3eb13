#include "bankfile/BankFileVerifier.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>

#include "bankfile/BankFileCheck.h"
#include "bankfile/FileDigest.h"
#include "bankfile/RecordLayout.h"

namespace convertor {

namespace {

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

    std::string line;
    bool terminated = false;
    long n = 1;
    while (lines.next(line, terminated)) {
        ++n;
        if (n == 2 || n == 3) {
            if (!terminated) {
                check.problem(n, "the line does not end with CR LF");
            }
            n == 2 ? check.headerLine(n, line) : check.debitLine(n, line);
        } else {
            check.bodyLine(n, line, terminated);
        }
    }
    std::vector<std::string> problems = check.finish(n + 1);
    if (digestText(lines.sha1().finish()) != digest) {
        problems.push_back("line 1: the digest line does not match the SHA-1 of the rest of the file");
    }
    return problems;
}

}  // namespace convertor

#include "text/LineReader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "base/ConversionError.h"

namespace convertor {

namespace {
constexpr std::size_t kBufferSize = 1 << 16;
constexpr char kCtrlZ = 26;
}  // namespace

LineReader::LineReader(const std::filesystem::path& file) : m_file(file), m_buffer(kBufferSize) {
    m_handle = std::fopen(file.c_str(), "rb");
    if (m_handle == nullptr) {
        throw IoError("Cannot open file " + file.string() + ": " + std::strerror(errno));
    }
}

LineReader::~LineReader() {
    if (m_handle != nullptr) {
        std::fclose(m_handle);
    }
}

bool LineReader::fill() {
    if (m_ended) {
        return false;
    }
    m_pos = 0;
    m_end = std::fread(m_buffer.data(), 1, m_buffer.size(), m_handle);
    if (m_end == 0) {
        if (std::ferror(m_handle)) {
            throw IoError("Cannot read file " + m_file.string() + ": " + std::strerror(errno));
        }
        m_ended = true;
        return false;
    }
    return true;
}

bool LineReader::next(std::string& line) {
    line.clear();
    bool any = false;  // a line exists once a byte of it (or its CR) was seen
    for (;;) {
        if (m_pos == m_end && !fill()) {
            if (any) {
                ++m_lineNumber;
            }
            return any;
        }
        const char* begin = m_buffer.data() + m_pos;
        const char* end = m_buffer.data() + m_end;
        const auto* cr =
            static_cast<const char*>(std::memchr(begin, '\r', static_cast<std::size_t>(end - begin)));
        const char* limit = cr != nullptr ? cr : end;
        const auto* ctrlZ =
            static_cast<const char*>(std::memchr(begin, kCtrlZ, static_cast<std::size_t>(limit - begin)));
        const char* stop = ctrlZ != nullptr ? ctrlZ : limit;
        // Past the longest layout a line's bytes are of no use, but it still counts as one line.
        const std::size_t room = kLongestKept - std::min(line.size(), kLongestKept);
        line.append(begin, std::min(room, static_cast<std::size_t>(stop - begin)));
        m_pos += static_cast<std::size_t>(stop - begin);
        if (stop == end) {
            any = any || stop != begin;
            continue;
        }
        if (*stop == kCtrlZ) {
            m_ended = true;
            m_pos = m_end;
            any = any || stop != begin;
            if (any) {
                ++m_lineNumber;
            }
            return any;
        }
        // CR: the line ends; an LF right after it belongs to the line end.
        ++m_pos;
        if (m_pos == m_end) {
            fill();
        }
        if (m_pos < m_end && m_buffer[m_pos] == '\n') {
            ++m_pos;
        }
        ++m_lineNumber;
        return true;
    }
}

long lineCountLessOne(const std::filesystem::path& file) {
    LineReader reader(file);
    std::string line;
    long count = 0;
    while (reader.next(line)) {
        ++count;
    }
    return count - 1;
}

}  // namespace convertor

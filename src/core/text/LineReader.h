#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace convertor {

// Reads a text file line by line with the rules of the customers' files: a line ends at CR,
// an LF right after the CR belongs to the line end, a lone LF is part of the line, a byte 26
// ends the input, and a last line without CR is still read. Of a longer line only its first
// kLongestKept bytes are kept, far more than any layout reads, so memory stays flat however long
// a line runs.
class LineReader {
public:
    static constexpr std::size_t kLongestKept = 1 << 16;

    explicit LineReader(const std::filesystem::path& file);  // throws IoError
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // False at the end of the input.
    bool next(std::string& line);
    // Physical 1-based number of the last line read; 0 before the first.
    long lineNumber() const { return m_lineNumber; }

private:
    bool fill();

    std::filesystem::path m_file;
    std::FILE* m_handle = nullptr;
    std::vector<char> m_buffer;
    std::size_t m_pos = 0;
    std::size_t m_end = 0;
    bool m_ended = false;
    long m_lineNumber = 0;
};

// Number of lines of a text file (read as LineReader reads them) minus one; throws IoError.
long lineCountLessOne(const std::filesystem::path& file);

}  // namespace convertor

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/ConversionError.h"
#include "support/TestSupport.h"
#include "text/LineReader.h"

namespace convertor::test {
namespace {

constexpr std::size_t kBuffer = 1 << 16;

std::vector<std::string> readAll(const std::string& bytes, long* lastLineNumber = nullptr) {
    TempDir dir;
    writeFile(dir / "in.txt", bytes);
    LineReader reader(dir / "in.txt");
    std::vector<std::string> lines;
    std::string line;
    while (reader.next(line)) {
        lines.push_back(line);
        EXPECT_EQ(reader.lineNumber(), static_cast<long>(lines.size()));
    }
    EXPECT_FALSE(reader.next(line)) << "the end stays the end";
    if (lastLineNumber != nullptr) {
        *lastLineNumber = reader.lineNumber();
    }
    return lines;
}

using Lines = std::vector<std::string>;

TEST(LineReader, LineEnds) {
    EXPECT_EQ(readAll("a\r\nb\r\n"), (Lines{"a", "b"}));
    EXPECT_EQ(readAll("a\rb\r"), (Lines{"a", "b"}));
    EXPECT_EQ(readAll("a\nb\r\nc"), (Lines{"a\nb", "c"})) << "a lone LF is part of the line";
    EXPECT_EQ(readAll("a\r\n\r\n\rb"), (Lines{"a", "", "", "b"}));
    EXPECT_EQ(readAll("a\r\r\nb"), (Lines{"a", "", "b"})) << "only one LF right after the CR is skipped";
    EXPECT_EQ(readAll("a\r\n\nb\r\n"), (Lines{"a", "\nb"}));
    EXPECT_EQ(readAll("\n"), (Lines{"\n"}));
}

TEST(LineReader, EndOfInput) {
    long last = -1;
    EXPECT_EQ(readAll("", &last), Lines{});
    EXPECT_EQ(last, 0);
    EXPECT_EQ(readAll("last"), Lines{"last"});
    EXPECT_EQ(readAll("\r\n"), Lines{""});
    EXPECT_EQ(readAll("a\r\nb\x1A"
                      "c\r\nd\r\n",
                      &last),
              (Lines{"a", "b"}));
    EXPECT_EQ(last, 2);
    EXPECT_EQ(readAll("a\r\n\x1A"
                      "b\r\n"),
              Lines{"a"});
    EXPECT_EQ(readAll("\x1A"
                      "a\r\n"),
              Lines{});
    EXPECT_EQ(readAll("a\r\x1A\n"), Lines{"a"});
    EXPECT_EQ(readAll(std::string("a\0b\r\n", 5)), Lines{std::string("a\0b", 3)});
}

TEST(LineReader, CrLfSplitAcrossTheBuffer) {
    // The CR is the last byte of the first buffer, its LF the first byte of the next.
    std::string first(kBuffer - 1, 'x');
    auto lines = readAll(first + "\r\nnext\r\n");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], first);
    EXPECT_EQ(lines[1], "next");

    // A CR that ends the buffer and the file.
    lines = readAll(first + "\r");
    EXPECT_EQ(lines, Lines{first});

    // A CR ending the buffer followed by a CR: an empty line, not a swallowed one.
    lines = readAll(first + "\r\r\n");
    EXPECT_EQ(lines, (Lines{first, ""}));
}

TEST(LineReader, LinesLongerThanTheBuffer) {
    // Of a line longer than any layout only the start is kept; it still counts as one line.
    std::string longLine(3 * kBuffer + 17, 'y');
    auto lines = readAll(longLine + "\r\n" + longLine + "\r\nz");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_TRUE(lines[0] == longLine.substr(0, LineReader::kLongestKept)) << lines[0].size();
    EXPECT_TRUE(lines[1] == lines[0]);
    EXPECT_EQ(lines[2], "z");

    // A line that ends exactly at the buffer end, then Ctrl-Z in the next buffer.
    std::string exact(kBuffer, 'z');
    EXPECT_EQ(readAll(exact + "\x1A"
                              "more"),
              Lines{exact});
    EXPECT_EQ(readAll(exact), Lines{exact});
}

TEST(LineReader, MissingFileThrows) {
    TempDir dir;
    EXPECT_THROW(LineReader(dir / "missing.txt"), IoError);
}

}  // namespace
}  // namespace convertor::test

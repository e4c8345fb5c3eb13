#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <cstdio>
#include <string>

#include "bankfile/FileDigest.h"
#include "support/TestSupport.h"

namespace convertor::test {
namespace {

// The digest of an independent implementation, as upper-case text.
std::string sha1sum(const std::filesystem::path& file) {
    std::string command = "sha1sum '" + file.string() + "'";
    std::FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return {};
    }
    std::array<char, 41> hex{};
    std::size_t got = std::fread(hex.data(), 1, 40, pipe);
    pclose(pipe);
    std::string text(hex.data(), got);
    for (char& c : text) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return text;
}

std::string patternBytes(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>((i * 31 + i / 251) & 0xFF);
    }
    return bytes;
}

// Fed in pieces of 8 KiB, as a file is hashed while it is read.
std::string digestOf(const std::filesystem::path& file) {
    std::string bytes = readFile(file);
    Sha1 sha1;
    for (std::size_t at = 0; at < bytes.size(); at += 8192) {
        sha1.update(std::string_view(bytes).substr(at, 8192));
    }
    return digestText(sha1.finish());
}

TEST(FileDigest, KnownDigests) {
    TempDir dir;
    writeFile(dir / "empty", "");
    EXPECT_EQ(digestOf(dir / "empty"), "DA39A3EE5E6B4B0D3255BFEF95601890AFD80709");
    writeFile(dir / "abc", "abc");
    EXPECT_EQ(digestOf(dir / "abc"), "A9993E364706816ABA3E25717850C26C9CD0D89D");
    // Raw bytes: CR LF and Ctrl-Z are hashed as they stand.
    writeFile(dir / "crlf", "a\r\n\x1A\r\n");
    EXPECT_EQ(digestOf(dir / "crlf"), sha1sum(dir / "crlf"));
}

TEST(FileDigest, BlockBoundaries) {
    TempDir dir;
    for (std::size_t size : {8191u, 8192u, 8193u, 2u * 8192u, 3u * 8192u + 1u, 16u * 8192u}) {
        auto file = dir / ("f" + std::to_string(size));
        writeFile(file, patternBytes(size));
        std::string expected = sha1sum(file);
        ASSERT_EQ(expected.size(), 40u) << "sha1sum is needed for this test";
        EXPECT_EQ(digestOf(file), expected) << size << " bytes";
    }
}

TEST(FileDigest, DigestText) {
    Sha1Digest digest{};
    digest[0] = 0x0A;
    digest[1] = 0xBC;
    digest[19] = 0xF0;
    std::string text = digestText(digest);
    EXPECT_EQ(text, "0ABC" + std::string(34, '0') + "F0");
}

}  // namespace
}  // namespace convertor::test

#include <gtest/gtest.h>

#include <atomic>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "text/CodePage.h"

namespace convertor::test {
namespace {

const std::string kReplacement = "\xEF\xBF\xBD";

bool undefinedIn874(int byte) {
    return (byte >= 0x81 && byte <= 0x84) || (byte >= 0x86 && byte <= 0x90) ||
           (byte >= 0x98 && byte <= 0x9F) || (byte >= 0xDB && byte <= 0xDE) || byte >= 0xFC;
}

TEST(CodePage, ThaiLettersBothWays) {
    EXPECT_EQ(toUtf8("\xA1\xCE"), "กฮ");
    EXPECT_EQ(toUtf8("\x80\xDF"), "€฿");
    EXPECT_EQ(toUtf8("A1 ~"), "A1 ~");
    EXPECT_EQ(fromUtf8("บริษัท ABC"), std::optional<std::string>("\xBA\xC3\xD4\xC9\xD1\xB7 ABC"));
    EXPECT_EQ(fromUtf8(""), std::optional<std::string>(""));
}

TEST(CodePage, EveryDefinedByteRoundTrips) {
    for (int byte = 0; byte < 256; ++byte) {
        std::string one(1, static_cast<char>(byte));
        std::string utf8 = toUtf8(one);
        if (undefinedIn874(byte)) {
            EXPECT_EQ(utf8, kReplacement) << "byte " << byte;
        } else {
            EXPECT_EQ(fromUtf8(utf8), std::optional<std::string>(one)) << "byte " << byte;
        }
    }
}

TEST(CodePage, LongTextsConvertWhole) {
    // Longer than any internal conversion buffer, in both directions.
    std::string thai;
    std::string bytes;
    for (int i = 0; i < 1000; ++i) {
        thai += "ก";
        bytes += '\xA1';
    }
    EXPECT_EQ(toUtf8(bytes), thai);
    EXPECT_EQ(fromUtf8(thai), std::optional<std::string>(bytes));
    EXPECT_EQ(fromUtf8Lossy(thai + "é"), bytes + "?");
}

TEST(CodePage, UnrepresentableOrInvalidText) {
    EXPECT_EQ(fromUtf8("caf\xC3\xA9"), std::nullopt);
    EXPECT_EQ(fromUtf8("\xFF"), std::nullopt);
    EXPECT_EQ(fromUtf8("a\xE0\xB8"), std::nullopt) << "a sequence cut at the end";
    EXPECT_EQ(fromUtf8(kReplacement), std::nullopt);
    EXPECT_EQ(fromUtf8("\xB8\x81"), std::nullopt) << "the rest of the cut sequence alone";
    EXPECT_EQ(fromUtf8("ก"), std::optional<std::string>("\xA1")) << "a failure leaves nothing behind";
}

TEST(CodePage, ThreadsConvertAtOnce) {
    std::vector<std::thread> threads;
    std::atomic<int> wrong{0};
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&wrong] {
            for (int i = 0; i < 2000; ++i) {
                wrong += fromUtf8("กข abc") != std::optional<std::string>("\xA1\xA2 abc") ? 1 : 0;
                wrong += fromUtf8("a\xE0\xB8").has_value() ? 1 : 0;
            }
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(wrong, 0);
}

TEST(CodePage, LossyReplacesOnlyWhatCannotBeRepresented) {
    EXPECT_EQ(fromUtf8Lossy("กé ข"), "\xA1? \xA2");
    EXPECT_EQ(fromUtf8Lossy("a\xF0\x9F\x98\x80z"), "a?z") << "one mark per character, not per byte";
    EXPECT_EQ(fromUtf8Lossy("a\xE0\xB8"), "a?");
    EXPECT_EQ(fromUtf8Lossy("a\xE0xyz"), "a?xyz")
        << "a broken sequence does not swallow the letters after it";
    EXPECT_EQ(fromUtf8Lossy("\x80x"), "?x");
    EXPECT_EQ(fromUtf8Lossy("plain"), "plain");
}

}  // namespace
}  // namespace convertor::test

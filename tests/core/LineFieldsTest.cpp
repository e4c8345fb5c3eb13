#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "products/PaymentLine.h"
#include "text/JoinedText.h"
#include "text/Trim.h"

namespace convertor::test {
namespace {

// A record field taken from a line: whole and clean fields are views into the line, cut or dirty
// ones are blank-filled and blanked in the buffer; either way the exact width.
TEST(LineFields, RecordColumns) {
    const std::string line = "ABCDE\tGH";
    struct Case {
        std::size_t first, last;
        std::string expected;
        bool inLine;
    };
    const Case cases[] = {{1, 5, "ABCDE", true},
                          {4, 7, "DE G", false},
                          {7, 10, "GH  ", false},
                          {9, 12, "    ", false},
                          {8, 8, "H", true}};
    for (const Case& c : cases) {
        std::string buffer = "old";
        std::string_view field = recordColumns(line, c.first, c.last, buffer);
        EXPECT_EQ(field, c.expected) << c.first << "-" << c.last;
        EXPECT_EQ(field.data() >= line.data() && field.data() < line.data() + line.size(), c.inLine)
            << c.first << "-" << c.last;
    }
}

TEST(LineFields, JoinedText) {
    JoinedText<16> amount{"00", "1234567890123", "0"};
    EXPECT_EQ(amount.view(), "0012345678901230");
    EXPECT_EQ(JoinedText<4>({}).view(), "");
    EXPECT_THROW((JoinedText<4>{"123", "45"}), std::length_error);
}

TEST(LineFields, PaymentLineViewsOfAShortLine) {
    std::string text = "KEY" + std::string(20, '.');
    PaymentLine line(text, 7);
    EXPECT_EQ(line.view(1, 3), "KEY");
    EXPECT_EQ(line.view(20, 30), "...." + std::string(7, ' '));
    EXPECT_EQ(line.view(601, 605), "     ");
    EXPECT_EQ(line.view(1, 3), line.field(1, 3));
    EXPECT_EQ(line.text(), text) << "the text stays as read";
    EXPECT_THROW(line.view(690, 701), std::out_of_range);
    EXPECT_THROW(line.view(0, 3), std::out_of_range);
}

}  // namespace
}  // namespace convertor::test

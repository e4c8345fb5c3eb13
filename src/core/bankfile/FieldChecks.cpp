#include "bankfile/FieldChecks.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

#include "text/Numbers.h"

namespace convertor {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The parts of a text that numericCheck accepts.
struct NumberParts {
    bool negative = false;
    std::string_view mantissa;  // digits with an optional point
    std::string_view exponent;  // after the E, sign included
};

std::optional<NumberParts> parseNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') {
        ++i;
    }
    NumberParts parts;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        parts.negative = text[i] == '-';
        ++i;
    }
    if (i == text.size()) {
        return std::nullopt;
    }
    std::size_t mantissaStart = i;
    while (i < text.size() && isDigit(text[i])) {
        ++i;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i])) {
            ++i;
        }
    }
    parts.mantissa = text.substr(mantissaStart, i - mantissaStart);
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        std::size_t exponentStart = ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            ++i;
        }
        std::size_t digitsStart = i;
        while (i < text.size() && isDigit(text[i])) {
            ++i;
        }
        if (i == digitsStart) {
            return std::nullopt;
        }
        parts.exponent = text.substr(exponentStart, i - exponentStart);
    }
    if (i != text.size()) {
        return std::nullopt;
    }
    return parts;
}

bool isLeapYear(long year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

}  // namespace

bool numericCheck(std::string_view text) {
    return parseNumber(text).has_value();
}

bool amountCheck(std::string_view text) {
    auto parts = parseNumber(text);
    if (!parts || parts->mantissa.empty()) {
        return false;
    }
    bool anyDigit = false;
    for (char c : parts->mantissa) {
        anyDigit = anyDigit || isDigit(c);
    }
    if (!anyDigit) {
        // A lone point reads as zero.
        return parts->mantissa == ".";
    }
    // The usual amount: plain digits, far too few to leave the range of a double.
    if (!parts->negative && parts->exponent.empty() && parts->mantissa.size() <= 300 &&
        isDigits(parts->mantissa)) {
        return true;
    }
    std::string number(parts->mantissa);
    if (!parts->exponent.empty()) {
        number += 'e';
        number += parts->exponent[0] == '+' ? parts->exponent.substr(1) : parts->exponent;
    }
    double value = 0;
    auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc() || end != number.data() + number.size() || !std::isfinite(value)) {
        return false;
    }
    return !parts->negative || value == 0.0;
}

bool accountCheck(std::string_view text) {
    if (!numericCheck(text) || (text.size() != 10 && text.size() != 11)) {
        return false;
    }
    char digits[10];
    std::size_t n = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.size() == 11 && i == 3) {
            continue;
        }
        if (!isDigit(text[i])) {
            return false;
        }
        digits[n++] = text[i];
    }
    static constexpr int kWeights[9] = {4, 3, 2, 7, 6, 5, 4, 3, 2};
    int sum = 0;
    for (int i = 0; i < 9; ++i) {
        sum += kWeights[i] * (digits[i] - '0');
    }
    int remainder = sum % 10;
    int check = remainder == 0 ? 0 : 10 - remainder;
    return check == digits[9] - '0';
}

bool dateCheck(std::string_view year, std::string_view month, std::string_view day) {
    auto y = wholeNumber(year);
    auto m = wholeNumber(month);
    auto d = wholeNumber(day);
    if (!y || !m || !d) {
        return false;
    }
    if (*y < 1 || *y > 9999 || *m < 1 || *m > 12 || *d < 1) {
        return false;
    }
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    long length = kDays[*m - 1] + ((*m == 2 && isLeapYear(*y)) ? 1 : 0);
    return *d <= length;
}

bool thaiTextCheck(std::string_view text, std::size_t n) {
    std::size_t count = std::min(n, text.size());
    for (std::size_t i = 0; i < count; ++i) {
        auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0xA1 && byte <= 0xCE) {
            return true;
        }
    }
    return false;
}

}  // namespace convertor

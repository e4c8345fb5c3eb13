#include "text/Numbers.h"

#include <charconv>

#include "text/CodePage.h"

namespace convertor {

std::optional<long> wholeNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::string_view digits = text.substr(i);
    if (!isDigits(digits)) {
        return std::nullopt;
    }
    long value = 0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size()) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

bool isDigits(std::string_view text) {
    if (text.empty()) {
        return false;
    }
    for (char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

namespace {

// Shown in UTF-8, with a NUL written out: what() ends at the first NUL byte.
std::string quotedField(std::string_view cp874) {
    std::string quoted = "'";
    for (char c : toUtf8(cp874)) {
        quoted += c == '\0' ? std::string("\\0") : std::string(1, c);
    }
    return quoted + "'";
}

std::string atLine(long lineNumber) {
    return lineNumber > 0 ? " (line " + std::to_string(lineNumber) + ")" : std::string();
}

}  // namespace

ConversionError notAnInteger(std::string_view text, long lineNumber) {
    return notAnIntegerIn(text, atLine(lineNumber));
}

ConversionError notAFloat(std::string_view text, long lineNumber) {
    return notAFloatIn(text, atLine(lineNumber));
}

ConversionError notAnIntegerIn(std::string_view text, const std::string& where) {
    return ConversionError(quotedField(text) + " is not a valid integer value" + where);
}

ConversionError notAFloatIn(std::string_view text, const std::string& where) {
    return ConversionError(quotedField(text) + " is not a valid floating point value" + where);
}

long toWholeNumber(const std::string& text, long lineNumber) {
    auto value = wholeNumber(text);
    if (!value) {
        throw notAnInteger(text, lineNumber);
    }
    return *value;
}

}  // namespace convertor

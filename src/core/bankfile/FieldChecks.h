#pragma once

#include <string_view>

namespace convertor {

// The bank's own code among the receiving banks, whose accounts accountCheck knows.
inline constexpr std::string_view kOwnBankCode = "014";

// Leading blanks, optional sign, digits with an optional point, optional exponent, nothing else.
bool numericCheck(std::string_view text);
// A number (numericCheck, finite value) not below zero.
bool amountCheck(std::string_view text);
// The bank's own ten-digit account with its check digit; an 11-character text loses its 4th.
bool accountCheck(std::string_view text);
// Three whole-number texts forming a Gregorian date, year 1 to 9999.
bool dateCheck(std::string_view year, std::string_view month, std::string_view day);
// True when one of the first n bytes is a Thai consonant (0xA1-0xCE).
bool thaiTextCheck(std::string_view text, std::size_t n);

}  // namespace convertor

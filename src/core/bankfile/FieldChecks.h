#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "base/ConversionError.h"

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
// Number of lines of a text file minus one; throws IoError.
long lineCountLessOne(const std::filesystem::path& file);
// Appends line + CR LF to the existing file; throws IoError naming shownName (the file the user
// knows, where file is its work file).
void appendRejectionLine(const std::filesystem::path& file, std::string_view line,
                         const std::filesystem::path& shownName);
// The same in steps, for a file kept open over many lines: a descriptor opened for appending,
// and the whole text written to it. Both throw IoError naming shownName.
int openRejectionFile(const std::filesystem::path& file, const std::filesystem::path& shownName);
void writeRejectionText(int fd, std::string_view text, const std::filesystem::path& shownName);

// Pads to a width: text left-justified with blanks, numbers right-justified with zeros.
std::string padRight(std::string_view text, std::size_t width);
std::string padLeftZeros(std::string_view text, std::size_t width);

// Leading blanks, an optional sign and digits, nothing after; empty when not such a text or
// out of range.
std::optional<long> wholeNumber(std::string_view text);

// A text (code page 874) that should hold a number but does not; the message quotes it and
// names the line when one is given, or the place as " (" + where + ")".
ConversionError notAnInteger(std::string_view text, long lineNumber = 0);
ConversionError notAFloat(std::string_view text, long lineNumber = 0);
ConversionError notAnIntegerIn(std::string_view text, const std::string& where);
ConversionError notAFloatIn(std::string_view text, const std::string& where);

// Whole number of a text: leading blanks, optional sign, digits; throws notAnInteger.
long toWholeNumber(const std::string& text, long lineNumber = 0);

// True when every byte is a decimal digit (and there is at least one).
bool isDigits(std::string_view text);

}  // namespace convertor

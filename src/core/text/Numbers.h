#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/ConversionError.h"

namespace convertor {

// True when every byte is a decimal digit (and there is at least one).
bool isDigits(std::string_view text);

// Leading blanks, an optional sign and digits, nothing after; empty when not such a text or
// out of range.
std::optional<long> wholeNumber(std::string_view text);
// The same; throws notAnInteger.
long toWholeNumber(const std::string& text, long lineNumber = 0);

// A text (code page 874) that should hold a number but does not; the message quotes it and
// names the line when one is given, or the place as " (" + where + ")".
ConversionError notAnInteger(std::string_view text, long lineNumber = 0);
ConversionError notAFloat(std::string_view text, long lineNumber = 0);
ConversionError notAnIntegerIn(std::string_view text, const std::string& where);
ConversionError notAFloatIn(std::string_view text, const std::string& where);

}  // namespace convertor

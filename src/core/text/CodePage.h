#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace convertor {

// Code page 874 is the single-byte Thai code page of the customers' files.
// Bytes that have no character in it (0xDB-0xDE, 0xFC-0xFF) become U+FFFD.
std::string toUtf8(std::string_view cp874);

// Empty optional when the text holds a character that code page 874 cannot represent
// or is not valid UTF-8.
std::optional<std::string> fromUtf8(std::string_view utf8);

// Whether the bytes are well-formed UTF-8.
bool isUtf8(std::string_view text);

// Like fromUtf8, but writes "?" for every character that cannot be represented.
std::string fromUtf8Lossy(std::string_view utf8);

}  // namespace convertor

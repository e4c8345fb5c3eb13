#pragma once

#include <string>
#include <string_view>

namespace convertor {

// Pads to a width: text left-justified with blanks, numbers right-justified with zeros. A text
// already as wide or wider comes back as it is.
std::string padRight(std::string_view text, std::size_t width);
std::string padLeftZeros(std::string_view text, std::size_t width);

}  // namespace convertor

#pragma once

#include <string>
#include <string_view>

namespace convertor {

// Removes every byte of value 32 or below at both ends.
std::string_view trimView(std::string_view text);
inline std::string trim(std::string_view text) {
    return std::string(trimView(text));
}

// 1-based, inclusive columns; a field that runs past the end takes what is there.
std::string_view columns(std::string_view line, std::size_t first, std::size_t last);

// Like columns(), but pads a cut field with blanks to its full width.
std::string paddedColumns(std::string_view line, std::size_t first, std::size_t last);

// Control bytes below 0x20 copied into a record would break the bank's line reading.
std::string blankControlBytes(std::string_view text);

// paddedColumns() with control bytes blanked, for a record field. A field that lies whole in the
// line and holds no control byte is a view into the line; any other is built in buffer, which the
// caller keeps from line to line. The view lives as long as the line and the buffer stay unchanged.
std::string_view recordColumns(std::string_view line, std::size_t first, std::size_t last,
                               std::string& buffer);

}  // namespace convertor

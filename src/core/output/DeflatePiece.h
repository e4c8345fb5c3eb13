#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace convertor {

// Raw Deflate (as a ZIP entry holds it) of pieces compressed apart and joined one after the
// other: a piece refers to nothing before it and, unless it ends the stream, ends on a byte
// boundary without the final-block mark.
// Appends the Deflate of data to out. Throws std::runtime_error when the compressor fails.
void deflatePiece(std::string_view data, bool last, std::vector<unsigned char>& out);

// CRC-32 as ZIP and gzip take it, continued from crc.
std::uint32_t crc32Of(std::string_view data, std::uint32_t crc = 0);
// The CRC-32 of two pieces joined, from the CRC-32 of each and the length of the second.
std::uint32_t crc32Join(std::uint32_t first, std::uint32_t second, std::uint64_t secondLength);

}  // namespace convertor

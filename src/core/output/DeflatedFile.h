#pragma once

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <vector>

namespace convertor {

// A file already packed with Deflate, ready to be stored as a ZIP entry: the Deflate of its head,
// of its body (kept in a file) and the final block, joined in that order.
struct DeflatedFile {
    std::vector<unsigned char> head;
    std::filesystem::path body;
    std::uint64_t bodySize = 0;
    std::vector<unsigned char> tail;
    std::uint32_t crc = 0;   // of the bytes before packing
    std::uint64_t size = 0;  // bytes before packing
    std::time_t modified = 0;

    std::uint64_t packedSize() const { return head.size() + bodySize + tail.size(); }
};

}  // namespace convertor

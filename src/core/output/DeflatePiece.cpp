#include "output/DeflatePiece.h"

#include <isa-l/crc.h>
#include <isa-l/igzip_lib.h>
#include <zlib.h>

#include <stdexcept>

namespace convertor {

void deflatePiece(std::string_view data, bool last, std::vector<unsigned char>& out) {
    // Level 1 wants a work buffer; one per thread, kept for the thread's next pieces.
    thread_local std::vector<unsigned char> levelBuffer(ISAL_DEF_LVL1_DEFAULT);
    // Incompressible data comes out as stored blocks: 5 bytes of head per 65,535 bytes at most.
    std::size_t bound = data.size() + data.size() / 1024 + 1024;
    std::size_t start = out.size();
    out.resize(start + bound);

    isal_zstream stream;
    isal_deflate_stateless_init(&stream);
    stream.level = 1;
    stream.level_buf = levelBuffer.data();
    stream.level_buf_size = static_cast<std::uint32_t>(levelBuffer.size());
    stream.next_in = reinterpret_cast<std::uint8_t*>(const_cast<char*>(data.data()));
    stream.avail_in = static_cast<std::uint32_t>(data.size());
    stream.next_out = out.data() + start;
    stream.avail_out = static_cast<std::uint32_t>(bound);
    stream.end_of_stream = last ? 1 : 0;
    stream.flush = last ? NO_FLUSH : FULL_FLUSH;
    if (data.size() > UINT32_MAX / 2 || isal_deflate_stateless(&stream) != COMP_OK) {
        throw std::runtime_error("Deflate failed");
    }
    out.resize(start + stream.total_out);
}

std::uint32_t crc32Of(std::string_view data, std::uint32_t crc) {
    return crc32_gzip_refl(crc, reinterpret_cast<const unsigned char*>(data.data()), data.size());
}

std::uint32_t crc32Join(std::uint32_t first, std::uint32_t second, std::uint64_t secondLength) {
    return static_cast<std::uint32_t>(crc32_combine64(first, second, static_cast<z_off64_t>(secondLength)));
}

}  // namespace convertor

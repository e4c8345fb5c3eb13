#pragma once

#include <cstddef>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>

namespace convertor {

// Output gathered into blocks of 64 KiB, each handed to the sink whole: a stream write per line or
// row costs more than the line. The destructor hands nothing on, so what an error interrupted is
// dropped rather than written half; flush() at the end.
class BlockWriter {
public:
    static constexpr std::size_t kBlockBytes = 1 << 16;
    using Sink = std::function<void(std::string_view)>;

    // Gathers everything in text(), handing nothing on: for output wanted as one string.
    BlockWriter() = default;
    explicit BlockWriter(Sink sink) : m_sink(std::move(sink)) { m_block.reserve(kBlockBytes + 4096); }
    explicit BlockWriter(std::ostream& out)
        : BlockWriter([&out](std::string_view block) {
              out.write(block.data(), static_cast<std::streamsize>(block.size()));
          }) {}

    BlockWriter(const BlockWriter&) = delete;
    BlockWriter& operator=(const BlockWriter&) = delete;

    // The text gathered so far, to append to (or take back from, before the next flush).
    std::string& text() { return m_block; }
    void write(std::string_view text) { m_block += text; }
    bool full() const { return m_sink && m_block.size() >= kBlockBytes; }
    // Hands the gathered text on when it fills a block; call it where a piece ends.
    void endPiece() {
        if (full()) {
            flush();
        }
    }
    void flush() {
        if (m_sink && !m_block.empty()) {
            m_sink(m_block);
            m_block.clear();
        }
    }

private:
    Sink m_sink;
    std::string m_block;
};

}  // namespace convertor

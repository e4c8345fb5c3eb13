#pragma once

#include <algorithm>
#include <cstring>
#include <memory>
#include <string_view>

namespace convertor {

// A piece of a file in memory that grows without zero-filling the room it reserves: bytes are
// written once, where they go.
class PieceBuffer {
public:
    PieceBuffer() = default;
    explicit PieceBuffer(std::size_t capacity) : m_data(new char[capacity]), m_capacity(capacity) {}

    const char* data() const { return m_data.get(); }
    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    std::string_view view() const { return {m_data.get(), m_size}; }
    void clear() { m_size = 0; }

    // Room for n more bytes, at the end; the caller fills all of it.
    char* extend(std::size_t n) {
        if (m_size + n > m_capacity) {
            std::size_t capacity = std::max(m_capacity * 2, m_size + n);
            std::unique_ptr<char[]> grown(new char[capacity]);
            if (m_size > 0) {
                std::memcpy(grown.get(), m_data.get(), m_size);
            }
            m_data = std::move(grown);
            m_capacity = capacity;
        }
        char* at = m_data.get() + m_size;
        m_size += n;
        return at;
    }

private:
    std::unique_ptr<char[]> m_data;
    std::size_t m_size = 0;
    std::size_t m_capacity = 0;
};

}  // namespace convertor

#pragma once

#include <array>
#include <cstring>
#include <initializer_list>
#include <stdexcept>
#include <string_view>

namespace convertor {

// A short text joined from parts in place, such as an amount field built of "00", thirteen
// columns of a line and "0": nothing is allocated for it. Throws std::length_error when the parts
// do not fit.
template <std::size_t Capacity>
class JoinedText {
public:
    JoinedText(std::initializer_list<std::string_view> parts) {
        for (std::string_view part : parts) {
            if (part.size() > Capacity - m_size) {
                throw std::length_error("joined text longer than its room");
            }
            if (!part.empty()) {
                std::memcpy(m_text.data() + m_size, part.data(), part.size());
                m_size += part.size();
            }
        }
    }

    std::string_view view() const { return {m_text.data(), m_size}; }
    operator std::string_view() const { return view(); }

private:
    std::array<char, Capacity> m_text{};
    std::size_t m_size = 0;
};

}  // namespace convertor

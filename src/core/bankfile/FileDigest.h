#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace convertor {

using Sha1Digest = std::array<std::uint8_t, 20>;

// Incremental SHA-1, so the bank file can be hashed while it is written.
class Sha1 {
public:
    Sha1();
    ~Sha1();
    Sha1(const Sha1&) = delete;
    Sha1& operator=(const Sha1&) = delete;

    void update(const void* data, std::size_t size);
    void update(std::string_view text) { update(text.data(), text.size()); }
    Sha1Digest finish();

private:
    struct State;
    std::unique_ptr<State> m_state;
};

// 40 upper-case hexadecimal digits.
std::string digestText(const Sha1Digest& digest);

}  // namespace convertor

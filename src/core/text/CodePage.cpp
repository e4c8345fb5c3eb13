#include "text/CodePage.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <stdexcept>

namespace convertor {

namespace {

// An iconv handle keeps shift state and must not be used by two threads at once, so each thread
// opens its own once and resets it before every conversion; the other way goes through a byte
// table built once.
class Iconv {
public:
    Iconv(const char* to, const char* from) : m_handle(iconv_open(to, from)) {
        if (m_handle == reinterpret_cast<iconv_t>(-1)) {
            throw std::runtime_error(std::string("code page conversion unavailable: ") + from + " to " + to);
        }
    }
    ~Iconv() { iconv_close(m_handle); }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;

    // Converts one character sequence; false when the input could not be converted.
    bool convert(std::string_view input, std::string& output) {
        // Back to the initial state: a failed conversion may have left it mid-sequence.
        iconv(m_handle, nullptr, nullptr, nullptr, nullptr);
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        char buffer[256];
        while (inLeft > 0) {
            char* out = buffer;
            std::size_t outLeft = sizeof buffer;
            std::size_t result = iconv(m_handle, &in, &inLeft, &out, &outLeft);
            output.append(buffer, static_cast<std::size_t>(out - buffer));
            if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
                return false;
            }
        }
        return true;
    }

private:
    iconv_t m_handle;
};

// Each of the 256 bytes as UTF-8, built once through iconv.
const std::array<std::string, 256>& byteTable() {
    static const std::array<std::string, 256> table = [] {
        std::array<std::string, 256> bytes;
        Iconv converter("UTF-8", "CP874");
        for (int value = 0; value < 256; ++value) {
            char byte = static_cast<char>(value);
            std::string character;
            if (!converter.convert(std::string_view(&byte, 1), character) || character.empty()) {
                character = "\xEF\xBF\xBD";
            }
            bytes[value] = character;
        }
        return bytes;
    }();
    return table;
}

}  // namespace

std::string toUtf8(std::string_view cp874) {
    const auto& table = byteTable();
    std::string result;
    result.reserve(cp874.size() * 2);
    for (char byte : cp874) {
        result += table[static_cast<unsigned char>(byte)];
    }
    return result;
}

std::optional<std::string> fromUtf8(std::string_view utf8) {
    thread_local Iconv converter("CP874", "UTF-8");
    std::string result;
    result.reserve(utf8.size());
    if (!converter.convert(utf8, result)) {
        return std::nullopt;
    }
    return result;
}

std::string fromUtf8Lossy(std::string_view utf8) {
    if (auto exact = fromUtf8(utf8)) {
        return *exact;
    }
    std::string result;
    // Character by character, so that one unrepresentable character costs only itself.
    std::size_t i = 0;
    while (i < utf8.size()) {
        unsigned char lead = static_cast<unsigned char>(utf8[i]);
        std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        length = std::min(length, utf8.size() - i);
        // A sequence broken off early stands for itself only, not for the letters after it.
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(utf8[i + k]) & 0xC0) != 0x80) {
                length = 1;
                break;
            }
        }
        auto one = fromUtf8(utf8.substr(i, length));
        result += one && !one->empty() ? *one : std::string("?");
        i += length;
    }
    return result;
}

bool isUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = lead < 0x80             ? 1
                             : (lead & 0xE0) == 0xC0 ? 2
                             : (lead & 0xF0) == 0xE0 ? 3
                             : (lead & 0xF8) == 0xF0 ? 4
                                                     : 0;
        if (length == 0 || (length == 2 && lead < 0xC2) || i + length > text.size()) {
            return false;
        }
        std::uint32_t code = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) {
                return false;
            }
            code = (code << 6) | (next & 0x3F);
        }
        // Overlong forms, surrogates and values past the last code point are not UTF-8.
        if ((length == 3 && code < 0x800) || (length == 4 && (code < 0x10000 || code > 0x10FFFF)) ||
            (code >= 0xD800 && code <= 0xDFFF)) {
            return false;
        }
        i += length;
    }
    return true;
}

}  // namespace convertor

#include "text/Padding.h"

namespace convertor {

std::string padRight(std::string_view text, std::size_t width) {
    std::string result(text);
    if (result.size() < width) {
        result.append(width - result.size(), ' ');
    }
    return result;
}

std::string padLeftZeros(std::string_view text, std::size_t width) {
    std::string result;
    if (text.size() < width) {
        result.assign(width - text.size(), '0');
    }
    result += text;
    return result;
}

}  // namespace convertor

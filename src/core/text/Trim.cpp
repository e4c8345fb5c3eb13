#include "text/Trim.h"

#include <algorithm>

namespace convertor {

std::string_view trimView(std::string_view text) {
    std::size_t first = 0;
    while (first < text.size() && static_cast<unsigned char>(text[first]) <= 32) {
        ++first;
    }
    std::size_t last = text.size();
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= 32) {
        --last;
    }
    return text.substr(first, last - first);
}

std::string_view columns(std::string_view line, std::size_t first, std::size_t last) {
    if (first == 0 || first > line.size() || last < first) {
        return {};
    }
    return line.substr(first - 1, last - first + 1);
}

std::string paddedColumns(std::string_view line, std::size_t first, std::size_t last) {
    std::string field(columns(line, first, last));
    field.resize(last - first + 1, ' ');
    return field;
}

std::string blankControlBytes(std::string_view text) {
    std::string result(text);
    for (char& byte : result) {
        if (static_cast<unsigned char>(byte) < 0x20) {
            byte = ' ';
        }
    }
    return result;
}

std::string_view recordColumns(std::string_view line, std::size_t first, std::size_t last,
                               std::string& buffer) {
    std::string_view field = columns(line, first, last);
    bool clean = std::none_of(field.begin(), field.end(),
                              [](char byte) { return static_cast<unsigned char>(byte) < 0x20; });
    std::size_t width = last >= first ? last - first + 1 : 0;
    if (clean && field.size() == width) {
        return field;
    }
    buffer.assign(field);
    buffer.resize(width, ' ');
    for (char& byte : buffer) {
        if (static_cast<unsigned char>(byte) < 0x20) {
            byte = ' ';
        }
    }
    return buffer;
}

}  // namespace convertor

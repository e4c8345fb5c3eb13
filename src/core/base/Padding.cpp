#include "base/Padding.h"

#include <algorithm>

namespace convertor {

namespace {

const std::string kZeros(kPoolSize, '0');
const std::string kSpaces(kPoolSize, ' ');

}  // namespace

std::string_view zeroPool() {
    return kZeros;
}

std::string_view spacePool() {
    return kSpaces;
}

std::string fillString(char kind, long n) {
    if (n < 1) {
        return {};
    }
    auto count = std::min(static_cast<std::size_t>(n), kPoolSize);
    return std::string((kind == '0' ? zeroPool() : spacePool()).substr(0, count));
}

}  // namespace convertor

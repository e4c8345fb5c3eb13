#pragma once

#include <string>
#include <string_view>

namespace convertor {

// The pools every blank or zero padding is cut from: 100 characters each.
inline constexpr std::size_t kPoolSize = 100;
std::string_view zeroPool();
std::string_view spacePool();

// min(n, 100) copies of kind ('0' or ' '); empty when n is below 1.
std::string fillString(char kind, long n);

}  // namespace convertor

#include "base/Clock.h"

#include <cstdio>
#include <ctime>

namespace convertor {

std::string Date::yyyymmdd() const {
    char text[16];
    std::snprintf(text, sizeof text, "%04d%02d%02d", year, month, day);
    return text;
}

std::string Date::isoDate() const {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, day);
    return text;
}

std::string toDayMonthYear(const std::string& yyyymmdd) {
    std::string padded = yyyymmdd;
    padded.resize(8, ' ');
    return padded.substr(6, 2) + "/" + padded.substr(4, 2) + "/" + padded.substr(0, 4);
}

Date SystemClock::today() const {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return Date{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

}  // namespace convertor

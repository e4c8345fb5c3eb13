#include "reports/TextFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace convertor {

void appendRawNumber(std::string& out, double value) {
    char buf[64];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
    if (ec == std::errc{}) {
        out.append(buf, end);
    }
}

std::string rawNumber(double value) {
    std::string text;
    appendRawNumber(text, value);
    return text;
}

void appendMoney(std::string& out, double value) {
    char buf[64];
    const auto [end, ec] =
        std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::fixed, 2);
    const char* point = ec == std::errc{} ? std::find(buf, end, '.') : end;
    // Past 64 digits, or "inf" and "nan", which have no point to group the digits before.
    if (point == end) {
        appendRawNumber(out, value);
        return;
    }
    if (value < 0 && std::any_of(buf, end, [](char c) { return c != '0' && c != '.'; })) {
        out += '-';
    }
    const auto whole = static_cast<std::size_t>(point - buf);
    for (std::size_t i = 0; i < whole; ++i) {
        if (i > 0 && (whole - i) % 3 == 0) {
            out += ',';
        }
        out += buf[i];
    }
    out.append(point, static_cast<std::size_t>(end - point));
}

std::string formatMoney(double value) {
    std::string text;
    appendMoney(text, value);
    return text;
}

std::string dayMonthYear(const Date& date) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", date.day % 100, date.month % 100, date.year % 10000);
    return buf;
}

std::optional<double> decimalNumber(std::string_view text) {
    const std::size_t point = text.find('.');
    const std::size_t start = !text.empty() && text[0] == '-' ? 1 : 0;
    if (point == std::string_view::npos || point == start || point + 1 == text.size() ||
        text.find_first_not_of("0123456789", start) != point ||
        text.find_first_not_of("0123456789", point + 1) != std::string_view::npos) {
        return std::nullopt;
    }
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

}  // namespace convertor

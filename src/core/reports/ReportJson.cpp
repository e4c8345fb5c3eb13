#include "reports/ReportJson.h"

#include <cmath>
#include <nlohmann/json.hpp>
#include <ostream>

#include "reports/BlockWriter.h"
#include "reports/ReportValue.h"

namespace convertor {

namespace {

using Json = nlohmann::ordered_json;

std::string dump(const Json& value) {
    return value.dump(-1, ' ', false, Json::error_handler_t::replace);
}

// Whether the text is well-formed UTF-8 (no overlong forms, surrogates or code points past
// U+10FFFF).
bool validUtf8(const std::string& text) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const auto* end = p + text.size();
    while (p < end) {
        const unsigned char c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        int extra = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (c >= 0xC2 && c <= 0xDF) {
            extra = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2;
            low = c == 0xE0 ? 0xA0 : 0x80;
            high = c == 0xED ? 0x9F : 0xBF;
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3;
            low = c == 0xF0 ? 0x90 : 0x80;
            high = c == 0xF4 ? 0x8F : 0xBF;
        } else {
            return false;
        }
        if (end - p <= extra || p[1] < low || p[1] > high) {
            return false;
        }
        for (int i = 2; i <= extra; ++i) {
            if (p[i] < 0x80 || p[i] > 0xBF) {
                return false;
            }
        }
        p += extra + 1;
    }
    return true;
}

// A text as the JSON library writes it: quoted as it is when nothing in it needs an escape, else
// by the library (escapes, and invalid bytes replaced).
void appendText(std::string& out, const std::string& text) {
    bool plain = true;
    for (char c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == '"' || c == '\\') {
            plain = false;
            break;
        }
    }
    if (plain && validUtf8(text)) {
        out += '"';
        out += text;
        out += '"';
    } else {
        out += dump(text);
    }
}

// A number as the JSON library writes it: the shortest text that reads back the same value.
void appendNumber(std::string& out, double value) {
    if (!std::isfinite(value)) {
        out += "null";
        return;
    }
    char buffer[64];
    char* end = nlohmann::detail::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, end);
}

void appendValue(std::string& out, const TableValue& value) {
    if (const auto* number = std::get_if<double>(&value)) {
        appendNumber(out, *number);
    } else if (const auto* text = std::get_if<std::string>(&value)) {
        appendText(out, *text);
    } else {
        out += "null";
    }
}

}  // namespace

void writeReportJson(const ReportValue& report, std::ostream& out) {
    BlockWriter writer(out);
    std::string& buffer = writer.text();
    buffer += "{\n  \"template\": " + dump(report.templateName) + ",\n  \"variables\": {";
    const char* separator = "\n";
    for (const auto& [name, value] : report.variables) {
        buffer += separator;
        buffer += "    " + dump(name) + ": " + dump(value);
        separator = ",\n";
    }
    buffer += report.variables.empty() ? "}" : "\n  }";
    buffer += ",\n  \"datasets\": {";
    separator = "\n";
    for (const auto& dataset : report.datasets) {
        buffer += separator;
        buffer += "    " + dump(dataset.name) + ": [";
        separator = ",\n";
        std::vector<std::string> keys;
        for (const auto& name : uniqueColumnNames(dataset.columns)) {
            keys.push_back(dump(name) + ": ");
        }
        const char* rowSeparator = "\n";
        bool empty = true;
        for (auto rows = dataset.open(); rows->next();) {
            const std::vector<TableValue>& row = rows->row();
            empty = false;
            buffer += rowSeparator;
            buffer += "      {";
            rowSeparator = ",\n";
            for (std::size_t i = 0; i < keys.size() && i < row.size(); ++i) {
                if (i > 0) {
                    buffer += ", ";
                }
                buffer += keys[i];
                appendValue(buffer, row[i]);
            }
            buffer += '}';
            writer.endPiece();
        }
        buffer += empty ? "]" : "\n    ]";
    }
    buffer += report.datasets.empty() ? "}" : "\n  }";
    buffer += "\n}\n";
    writer.flush();
}

}  // namespace convertor

#include "bankfile/RecordTemplates.h"

#include <map>
#include <stdexcept>

namespace convertor {

namespace {

FieldLayout literal(const char* text) {
    std::string value(text);
    return {static_cast<int>(value.size()), FieldKind::Literal, value};
}
FieldLayout digits(int width, const char* value = nullptr) {
    return {width, FieldKind::Digits, value ? std::string(value) : std::string(width, '0')};
}
FieldLayout text(int width, const char* value = nullptr) {
    return {width, FieldKind::Text, value ? std::string(value) : std::string(width, ' ')};
}
FieldLayout date() {
    return {8, FieldKind::Date, std::string(8, ' ')};
}

const std::map<int, std::vector<FieldLayout>>& layouts() {
    static const std::map<int, std::vector<FieldLayout>> all{
        {2,
         {literal("002"), text(3), date(), text(25), digits(2), digits(4), literal("THB"), digits(16),
          digits(8, "00000001"), digits(6), text(25), digits(2), digits(4)}},
        {3, {literal("003"), digits(6, "000001"),
             text(25),       digits(16),
             literal("THB"), digits(8),
             text(1, "N"),   text(1, "N"),
             text(1, "N"),   text(1),
             text(4),        digits(2),
             text(14),       digits(6),
             digits(2),      digits(16),
             digits(6),      digits(16),
             digits(1),      text(40),
             date(),         digits(3),
             text(35),       digits(4),
             text(35),       text(1),
             text(1),        text(20),
             text(1),        text(3),
             text(2),        text(70)}},
        {4,
         {literal("004"), digits(8, "00000001"), digits(6, "000001"), text(15), text(100), text(70), text(70),
          text(70), text(10), text(70), text(10), text(10), text(64), text(100), text(70), text(70),
          text(70)}},
        {5,
         {literal("005"), digits(8), digits(6), digits(2), digits(16), text(5), text(80), digits(2),
          digits(16)}},
        {6,
         {literal("006"), digits(8), digits(6), digits(6), text(15), digits(16), date(), text(70), text(15),
          digits(16), digits(16), digits(16), text(1, "T")}},
    };
    return all;
}

}  // namespace

const std::vector<FieldLayout>& recordLayout(int recordType) {
    auto found = layouts().find(recordType);
    if (found == layouts().end()) {
        throw std::out_of_range("no layout for record " + std::to_string(recordType));
    }
    return found->second;
}

int recordLength(int recordType) {
    if (recordType == 1) {
        return kRecord001Length;
    }
    if (recordType == 999) {
        return kTrailerLength;
    }
    int length = 0;
    for (const auto& field : recordLayout(recordType)) {
        length += field.width;
    }
    return length;
}

RecordTemplate::RecordTemplate(int recordType) : m_type(recordType) {
    reset();
}

void RecordTemplate::reset() {
    const auto& layout = recordLayout(m_type);
    m_fields.resize(layout.size());
    for (std::size_t i = 0; i < layout.size(); ++i) {
        m_fields[i] = layout[i].defaultValue;
    }
}

void RecordTemplate::set(int field, std::string_view value) {
    m_fields.at(field - 1) = value;
}

std::string RecordTemplate::line() const {
    std::string result;
    result.reserve(static_cast<std::size_t>(recordLength(m_type)));
    for (const auto& field : m_fields) {
        result += field;
    }
    return result;
}

void resetRecordTemplates(RecordTemplates& templates) {
    templates.r002.reset();
    templates.r003.reset();
    templates.r004.reset();
    templates.r005.reset();
    templates.r006.reset();
}

}  // namespace convertor

#include "bankfile/RecordTemplate.h"

#include <cstring>
#include <map>

#include "base/ConversionError.h"

namespace convertor {

namespace {

const std::string& defaultLine(int recordType) {
    static const std::map<int, std::string> lines = [] {
        std::map<int, std::string> all;
        for (int type : kRecordTypes) {
            std::string line;
            for (const FieldSpec& field : recordFields(type)) {
                line += field.defaultText();
            }
            all[type] = line;
        }
        return all;
    }();
    return lines.at(recordType);
}

ConversionError wrongWidth(const FieldSpec& field, std::size_t size) {
    return ConversionError(recordName(field.record) + " field " + std::to_string(field.number) +
                           " (columns " + std::to_string(field.start) + "-" + std::to_string(field.last()) +
                           ") takes " + std::to_string(field.width) + " characters, not " +
                           std::to_string(size));
}

}  // namespace

RecordLine::RecordLine(int recordType)
    : m_type(recordType), m_default(&defaultLine(recordType)), m_line(*m_default) {}

void RecordLine::reset() {
    // Same length as before, so the buffer is reused.
    m_line.assign(*m_default);
}

void RecordLine::put(const FieldSpec& field, std::string_view value) {
    if (value.size() != static_cast<std::size_t>(field.width)) {
        throw wrongWidth(field, value.size());
    }
    // memmove: the value may be a view into this very line.
    if (!value.empty()) {
        std::memmove(m_line.data() + (field.start - 1), value.data(), value.size());
    }
}

void RecordLine::putPadded(const FieldSpec& field, std::string_view value) {
    auto width = static_cast<std::size_t>(field.width);
    if (value.size() > width) {
        throw wrongWidth(field, value.size());
    }
    bool digits = field.kind == FieldKind::Digits || field.kind == FieldKind::Signed;
    std::size_t missing = width - value.size();
    char* first = m_line.data() + (field.start - 1);
    if (!value.empty()) {
        std::memmove(digits ? first + missing : first, value.data(), value.size());
    }
    std::memset(digits ? first : first + value.size(), digits ? '0' : ' ', missing);
}

void RecordLine::putJoined(const FieldSpec& field, std::initializer_list<std::string_view> parts) {
    std::size_t size = 0;
    for (std::string_view part : parts) {
        size += part.size();
    }
    if (size != static_cast<std::size_t>(field.width)) {
        throw wrongWidth(field, size);
    }
    // Joined apart from the line first: a part may be a view into this very record.
    char joined[128];
    std::string longer;
    char* out = joined;
    if (size > sizeof joined) {
        longer.resize(size);
        out = longer.data();
    }
    std::size_t at = 0;
    for (std::string_view part : parts) {
        if (!part.empty()) {
            std::memcpy(out + at, part.data(), part.size());
            at += part.size();
        }
    }
    if (size > 0) {
        std::memcpy(m_line.data() + (field.start - 1), out, size);
    }
}

std::string_view RecordLine::at(const FieldSpec& field) const {
    return std::string_view(m_line).substr(static_cast<std::size_t>(field.start - 1),
                                           static_cast<std::size_t>(field.width));
}

void resetRecordTemplates(RecordTemplates& templates) {
    templates.r002.reset();
    templates.r003.reset();
    templates.r004.reset();
    templates.r005.reset();
    templates.r006.reset();
}

}  // namespace convertor

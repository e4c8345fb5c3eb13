#include "bankfile/RecordTemplate.h"

#include <map>

#include "base/ConversionError.h"
#include "base/Padding.h"

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

RecordLine::RecordLine(int recordType) : m_type(recordType), m_line(defaultLine(recordType)) {}

void RecordLine::reset() {
    m_line = defaultLine(m_type);
}

void RecordLine::put(const FieldSpec& field, std::string_view value) {
    if (value.size() != static_cast<std::size_t>(field.width)) {
        throw wrongWidth(field, value.size());
    }
    m_line.replace(static_cast<std::size_t>(field.start - 1), value.size(), value);
}

void RecordLine::putPadded(const FieldSpec& field, std::string_view value) {
    auto width = static_cast<std::size_t>(field.width);
    if (value.size() > width) {
        throw wrongWidth(field, value.size());
    }
    bool digits = field.kind == FieldKind::Digits || field.kind == FieldKind::Signed;
    long missing = static_cast<long>(width - value.size());
    put(field, digits ? fillString('0', missing) + std::string(value)
                      : std::string(value) + fillString(' ', missing));
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

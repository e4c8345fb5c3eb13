#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "bankfile/RecordLayout.h"

namespace convertor {

// The text of one record, every field at its default until set. A value of another width than
// its field's is refused, so a record line always has its record's exact length.
class RecordLine {
public:
    explicit RecordLine(int recordType);

    void reset();
    const std::string& line() const { return m_line; }
    int recordType() const { return m_type; }

protected:
    // Throws ConversionError when the value is not exactly the field's width.
    void put(const FieldSpec& field, std::string_view value);
    // Text blank-filled on the right, digits zero-filled on the left; throws when too long.
    void putPadded(const FieldSpec& field, std::string_view value);
    // The parts one after another; throws when they do not make exactly the field's width.
    void putJoined(const FieldSpec& field, std::initializer_list<std::string_view> parts);
    std::string_view at(const FieldSpec& field) const;

private:
    int m_type;
    const std::string* m_default;  // the record's line with every field at its default
    std::string m_line;
};

// A record whose fields are set by name: `r003.set(Record003::ReceivingBankCode, "014")`.
template <int Type>
class RecordTemplate : public RecordLine {
public:
    RecordTemplate() : RecordLine(Type) {}

    void set(const RecordField<Type>& field, std::string_view value) { put(field, value); }
    void fill(const RecordField<Type>& field, std::string_view value) { putPadded(field, value); }
    // `r003.setJoined(Record003::CreditAmount, {"00", amount, "0"})`, without building the text first.
    void setJoined(const RecordField<Type>& field, std::initializer_list<std::string_view> parts) {
        putJoined(field, parts);
    }
    std::string get(const RecordField<Type>& field) const { return std::string(at(field)); }
    // Valid until the record changes.
    std::string_view view(const RecordField<Type>& field) const { return at(field); }
};

// Records 002 to 006 of the run.
struct RecordTemplates {
    RecordTemplate<2> r002;
    RecordTemplate<3> r003;
    RecordTemplate<4> r004;
    RecordTemplate<5> r005;
    RecordTemplate<6> r006;
};

void resetRecordTemplates(RecordTemplates& templates);

}  // namespace convertor

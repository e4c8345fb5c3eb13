#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace convertor {

enum class FieldKind { Literal, Digits, Text, Date };

struct FieldLayout {
    int width;
    FieldKind kind;
    std::string defaultValue;  // exactly `width` characters
};

// The layouts of records 002 to 006, field 1 first.
const std::vector<FieldLayout>& recordLayout(int recordType);
constexpr int kRecord001Length = 96;
constexpr int kTrailerLength = 31;
int recordLength(int recordType);

// One array of fixed-width text fields for one record type; a record line is their concatenation.
class RecordTemplate {
public:
    explicit RecordTemplate(int recordType);

    void reset();
    // Field numbers are 1-based, as in the layouts.
    void set(int field, std::string_view value);
    const std::string& get(int field) const { return m_fields.at(field - 1); }
    std::string line() const;
    int recordType() const { return m_type; }

private:
    int m_type;
    std::vector<std::string> m_fields;
};

// Records 002 to 006.
struct RecordTemplates {
    RecordTemplate r002{2};
    RecordTemplate r003{3};
    RecordTemplate r004{4};
    RecordTemplate r005{5};
    RecordTemplate r006{6};
};

void resetRecordTemplates(RecordTemplates& templates);

}  // namespace convertor

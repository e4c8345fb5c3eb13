#include "bankfile/RecordLayout.h"

#include <stdexcept>

namespace convertor {

std::string FieldSpec::defaultText() const {
    if (!value.empty()) {
        return std::string(value);
    }
    bool zeros = kind == FieldKind::Digits || kind == FieldKind::Signed;
    return std::string(static_cast<std::size_t>(width), zeros ? '0' : ' ');
}

std::span<const FieldSpec> recordFields(int recordType) {
    switch (recordType) {
        case 1:
            return Record001::kFields;
        case 2:
            return Record002::kFields;
        case 3:
            return Record003::kFields;
        case 4:
            return Record004::kFields;
        case 5:
            return Record005::kFields;
        case 6:
            return Record006::kFields;
        case 999:
            return Record999::kFields;
        default:
            throw std::out_of_range("no layout for record " + std::to_string(recordType));
    }
}

int recordLength(int recordType) {
    int length = 0;
    for (const FieldSpec& field : recordFields(recordType)) {
        length += field.width;
    }
    return length;
}

std::string recordName(int recordType) {
    if (recordType == 999) {
        return "the trailer";
    }
    return "record 00" + std::to_string(recordType);
}

bool copiedAsTyped(const FieldSpec& field, std::optional<Product> product) {
    if (!product) {
        return field.copiedBy != kComputed;
    }
    switch (*product) {
        case Product::DirectCredit:
        case Product::Payroll:
            return (field.copiedBy & kCopiedByDirectCredit) != 0;
        case Product::MediaClearing:
            return (field.copiedBy & kCopiedByMediaClearing) != 0;
        case Product::ManagerCheque:
            return (field.copiedBy & kCopiedByManagerCheque) != 0;
    }
    return true;
}

}  // namespace convertor

#include "products/RecordFill.h"

#include <string>

#include "bankfile/FieldChecks.h"

namespace convertor {

namespace {

void fillAccount(RecordTemplate<2>& r002, std::string_view account, const RecordField<2>& accountField,
                 const RecordField<2>& digitField, const RecordField<2>& branchField) {
    r002.fill(accountField, account);
    r002.set(digitField, "0" + std::string(account.substr(3, 1)));
    r002.set(branchField, "0" + std::string(account.substr(0, 3)));
}

}  // namespace

void fillPayeeName(RecordTemplate<4>& r004, std::string_view name) {
    if (thaiTextCheck(name, name.size())) {
        r004.fill(Record004::PayeeNameThai, name);
    } else {
        r004.fill(Record004::PayeeNameEnglish, name);
    }
}

void fillDebitAccount(RecordTemplate<2>& r002, std::string_view account) {
    fillAccount(r002, account, Record002::DebitAccount, Record002::DebitAccountDigit,
                Record002::DebitBranchCode);
}

void fillFeeAccount(RecordTemplate<2>& r002, std::string_view account) {
    fillAccount(r002, account, Record002::FeeAccount, Record002::FeeAccountDigit, Record002::FeeBranchCode);
}

}  // namespace convertor

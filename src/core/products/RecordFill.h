#pragma once

#include <string_view>

#include "bankfile/RecordTemplate.h"

namespace convertor {

// The payee name into record 004: the Thai name field when the name holds a Thai letter, the
// English one otherwise; the other keeps its blanks.
void fillPayeeName(RecordTemplate<4>& r004, std::string_view name);

// Record 002 fields 4 to 6 from a debit account, or 11 to 13 from a fee account: the account
// blank-filled to 25, "0" and its 4th character, "0" and its first three characters.
void fillDebitAccount(RecordTemplate<2>& r002, std::string_view account);
void fillFeeAccount(RecordTemplate<2>& r002, std::string_view account);

}  // namespace convertor

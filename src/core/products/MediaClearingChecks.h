#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace convertor {

// account: columns 17-27 of a detail line; bankCode: columns 10-12. At the bank itself the last
// ten characters must be one of its accounts, and not the all-zero one, which the check digit
// alone would let through; elsewhere eleven digits, not all zero.
bool creditAccountCheck(std::string_view account, std::string_view bankCode);

// kind "Bank": three characters; kind "Branch": four; any other kind fails.
bool bankBranchCodeCheck(std::string_view text, std::string_view kind);

// "(01)Salary, wages, gratuity or retirement", ...; empty optional for a code without a caption.
std::optional<std::string> serviceTypeCaption(std::string_view code);

}  // namespace convertor

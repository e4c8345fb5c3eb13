#include "products/MediaClearingChecks.h"

#include <array>
#include <utility>

#include "bankfile/FieldChecks.h"
#include "text/Trim.h"

namespace convertor {

namespace {

bool allZeros(std::string_view text) {
    return text.find_first_not_of('0') == std::string_view::npos;
}

}  // namespace

bool creditAccountCheck(std::string_view account, std::string_view bankCode) {
    if (bankCode == kOwnBankCode) {
        std::string_view own = columns(account, 2, 11);
        return accountCheck(own) && !allZeros(own);
    }
    return !(account.size() == 11 && allZeros(account)) && trimView(account).size() == 11 &&
           numericCheck(account);
}

bool bankBranchCodeCheck(std::string_view text, std::string_view kind) {
    std::size_t width = 0;
    if (kind == "Bank") {
        width = 3;
    } else if (kind == "Branch") {
        width = 4;
    } else {
        return false;
    }
    return numericCheck(text) && trimView(text).size() == width;
}

std::optional<std::string> serviceTypeCaption(std::string_view code) {
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 8> kCaptions{{
        {"01", "(01)Salary, wages, gratuity or retirement"},
        {"02", "(02)Distribute profits"},
        {"03", "(03)Interest"},
        {"04", "(04)Expense for goods or services"},
        {"05", "(05)To sell property"},
        {"06", "(06)Tax returned"},
        {"07", "(07)Loan"},
        {"59", "(59)Others"},
    }};
    for (const auto& [key, caption] : kCaptions) {
        if (key == code) {
            return std::string(caption);
        }
    }
    return std::nullopt;
}

}  // namespace convertor

#include "products/BankBranchLookup.h"

#include <optional>

#include "refdata/TableStore.h"
#include "text/Trim.h"

namespace convertor {

namespace {

constexpr std::size_t kNameWidth = 35;
constexpr const char* kNewBank = "New bank";
constexpr const char* kNewBranch = "New branch";

// Empty optional when the name is blank and the placeholder must stand in for it.
std::optional<std::string> usableName(const std::optional<std::string>& stored) {
    if (!stored) {
        return std::nullopt;
    }
    std::string name = stored->substr(0, kNameWidth);
    if (trimView(name).empty()) {
        return std::nullopt;
    }
    return name;
}

}  // namespace

std::string BankBranchLookup::bankName(std::string_view bankCode) {
    std::optional<std::string> stored = m_tables.bankNameEn(bankCode);
    if (auto name = usableName(stored)) {
        return *name;
    }
    if (!stored) {
        m_tables.addBank(bankCode, kNewBank);
    }
    return kNewBank;
}

std::string BankBranchLookup::branchName(std::string_view bankCode, std::string_view branchCode) {
    std::optional<std::string> stored = m_tables.branchNameEn(bankCode, branchCode);
    if (auto name = usableName(stored)) {
        return *name;
    }
    if (!stored) {
        m_tables.addBranch(bankCode, branchCode, kNewBranch);
    }
    return kNewBranch;
}

}  // namespace convertor

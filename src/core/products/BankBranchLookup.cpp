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

BankBranchLookup::Name named(std::string text) {
    std::string field = blankControlBytes(text);
    field.resize(kNameWidth, ' ');
    return {std::move(text), std::move(field)};
}

}  // namespace

const BankBranchLookup::Name& BankBranchLookup::bank(std::string_view bankCode) {
    m_key.assign(bankCode);
    if (auto found = m_banks.find(m_key); found != m_banks.end()) {
        return found->second;
    }
    std::optional<std::string> stored = m_tables.bankNameEn(bankCode);
    std::optional<std::string> name = usableName(stored);
    if (!name && !stored) {
        m_tables.addBank(bankCode, kNewBank);
    }
    return m_banks.emplace(m_key, named(name ? *name : kNewBank)).first->second;
}

const BankBranchLookup::Name& BankBranchLookup::branch(std::string_view bankCode,
                                                       std::string_view branchCode) {
    std::size_t bankSize = bankCode.size();
    m_key.assign(reinterpret_cast<const char*>(&bankSize), sizeof bankSize);
    m_key.append(bankCode);
    m_key.append(branchCode);
    if (auto found = m_branches.find(m_key); found != m_branches.end()) {
        return found->second;
    }
    std::optional<std::string> stored = m_tables.branchNameEn(bankCode, branchCode);
    std::optional<std::string> name = usableName(stored);
    if (!name && !stored) {
        m_tables.addBranch(bankCode, branchCode, kNewBranch);
    }
    return m_branches.emplace(m_key, named(name ? *name : kNewBranch)).first->second;
}

}  // namespace convertor

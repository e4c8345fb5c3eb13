#pragma once

#include <string>
#include <string_view>

namespace convertor {

class TableStore;

// Receiving bank and branch names from the reference tables. A code the tables do not know is
// registered under "New bank" or "New branch" so the operator can name it later; a known code
// whose English name is blank reads the same way but adds nothing, since the key is taken.
class BankBranchLookup {
public:
    explicit BankBranchLookup(TableStore& tables) : m_tables(tables) {}

    // At most 35 characters, code page 874.
    std::string bankName(std::string_view bankCode);
    std::string branchName(std::string_view bankCode, std::string_view branchCode);

private:
    TableStore& m_tables;
};

}  // namespace convertor

#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

namespace convertor {

class TableStore;

// Receiving bank and branch names from the reference tables. A code the tables do not know is
// registered under "New bank" or "New branch" so the operator can name it later; a known code
// whose English name is blank reads the same way but adds nothing, since the key is taken.
// Each code is looked up (and registered) once; later lines take the name from memory, since
// nothing else changes these tables during a run.
class BankBranchLookup {
public:
    struct Name {
        std::string text;   // at most 35 characters, code page 874
        std::string field;  // the same with control bytes blanked, blank-filled to 35
    };

    explicit BankBranchLookup(TableStore& tables) : m_tables(tables) {}

    const Name& bank(std::string_view bankCode);
    const Name& branch(std::string_view bankCode, std::string_view branchCode);

    std::string bankName(std::string_view bankCode) { return bank(bankCode).text; }
    std::string branchName(std::string_view bankCode, std::string_view branchCode) {
        return branch(bankCode, branchCode).text;
    }

private:
    TableStore& m_tables;
    std::unordered_map<std::string, Name> m_banks;
    std::unordered_map<std::string, Name> m_branches;  // keyed by the bank code's size, bank, branch
    std::string m_key;
};

}  // namespace convertor

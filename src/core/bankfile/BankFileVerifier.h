#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace convertor {

// Checks a bank file on its own: digest, line ends, line order, record lengths and literals,
// sequence numbers, record 002 and trailer against the records 003. Problems as "line N: ...".
std::vector<std::string> verifyBankFile(const std::filesystem::path& file);

}  // namespace convertor

#pragma once

#include <optional>
#include <string>
#include <variant>

#include "base/Product.h"
#include "products/ConversionRequest.h"

namespace convertor {

// What the operator entered for one run, as either front end has it: the texts in UTF-8, the file
// names as this platform's bytes.
struct RequestEntries {
    std::string companyId;
    std::string debitAccount;
    std::string feeAccount;
    std::optional<Product> product;
    std::string sourceFile;
    std::string invoiceFile;
    std::string destinationFile;
    bool printDetail = false;
};

enum class Entry { CompanyId, DebitAccount, FeeAccount };
enum class EntryFault { NotCodePage874, TooLong, ControlCharacter };

// An entry the run cannot take as it stands. The window shows it in a message box, the CLI as a
// usage error; the verdict is the same.
struct EntryProblem {
    Entry entry;
    EntryFault fault;

    // "cannot be written in the Thai code page 874", "is longer than 12 characters", ...
    std::string reason() const;
};

inline constexpr std::size_t kCompanyIdLength = 12;
inline constexpr std::size_t kAccountLength = 25;

// The run's request from the entries: texts in code page 874 within their lengths and free of
// control characters; an entry of blanks only (bytes of value 32 or below) counts as nothing
// typed; any other text is kept as typed. The invoice file belongs to Manager Cheque only.
std::variant<ConversionRequest, EntryProblem> makeRequest(const RequestEntries& entries);

}  // namespace convertor

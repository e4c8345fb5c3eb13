#include "convert/RequestEntries.h"

#include "text/CodePage.h"
#include "text/Trim.h"

namespace convertor {

namespace {

bool hasControlCharacter(std::string_view bytes) {
    for (char c : bytes) {
        auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            return true;
        }
    }
    return false;
}

// The entry in code page 874, or the fault that keeps it out of the run.
std::variant<std::string, EntryFault> entryText(const std::string& utf8, std::size_t maxLength) {
    std::optional<std::string> bytes = fromUtf8(utf8);
    if (!bytes) {
        return EntryFault::NotCodePage874;
    }
    if (trimView(*bytes).empty()) {
        return std::string();
    }
    if (bytes->size() > maxLength) {
        return EntryFault::TooLong;
    }
    if (hasControlCharacter(*bytes)) {
        return EntryFault::ControlCharacter;
    }
    return std::move(*bytes);
}

std::string fileName(const std::string& name) {
    return trimView(name).empty() ? std::string() : name;
}

}  // namespace

std::string EntryProblem::reason() const {
    switch (fault) {
        case EntryFault::NotCodePage874:
            return "cannot be written in the Thai code page 874";
        case EntryFault::TooLong:
            return "is longer than " +
                   std::to_string(entry == Entry::CompanyId ? kCompanyIdLength : kAccountLength) +
                   " characters";
        case EntryFault::ControlCharacter:
            return "holds a control character";
    }
    return {};
}

std::variant<ConversionRequest, EntryProblem> makeRequest(const RequestEntries& entries) {
    ConversionRequest request;
    struct Text {
        Entry entry;
        const std::string& typed;
        std::size_t maxLength;
        std::string& bytes;
    };
    for (const Text& text :
         {Text{Entry::CompanyId, entries.companyId, kCompanyIdLength, request.companyId},
          Text{Entry::DebitAccount, entries.debitAccount, kAccountLength, request.debitAccount},
          Text{Entry::FeeAccount, entries.feeAccount, kAccountLength, request.feeAccount}}) {
        auto result = entryText(text.typed, text.maxLength);
        if (auto* fault = std::get_if<EntryFault>(&result)) {
            return EntryProblem{text.entry, *fault};
        }
        text.bytes = std::move(std::get<std::string>(result));
    }
    request.product = entries.product;
    request.sourceFile = fileName(entries.sourceFile);
    if (entries.product == Product::ManagerCheque) {
        request.invoiceFile = fileName(entries.invoiceFile);
    }
    request.destinationFile = fileName(entries.destinationFile);
    request.printDetail = entries.printDetail;
    return request;
}

}  // namespace convertor

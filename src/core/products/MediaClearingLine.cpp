#include "products/MediaClearingLine.h"

#include "bankfile/FieldChecks.h"
#include "products/MediaClearingChecks.h"
#include "text/Padding.h"
#include "text/Trim.h"

namespace convertor {

namespace {

constexpr std::string_view kZeroAmount = "000000000000";

RejectionEntry entry(RejectionKind kind, long lineNumber, std::string columnPart, std::string messagePart,
                     std::string fieldName, std::string colNo, std::string desErr) {
    return RejectionEntry{kind,
                          lineNumber,
                          std::move(columnPart),
                          std::move(messagePart),
                          std::move(fieldName),
                          std::move(colNo),
                          std::move(desErr)};
}

}  // namespace

std::string_view MediaClearingLine::bankCode() const {
    return columns(m_line, 10, 12);
}
std::string_view MediaClearingLine::branchCode() const {
    return columns(m_line, 13, 16);
}
std::string_view MediaClearingLine::creditAccount() const {
    return columns(m_line, 17, 27);
}
std::string_view MediaClearingLine::debitAccount() const {
    return columns(m_line, 36, 45);
}
std::string_view MediaClearingLine::amountChars() const {
    return columns(m_line, 58, 69);
}

std::string MediaClearingLine::recordField(std::size_t first, std::size_t last) const {
    std::string buffer;
    return std::string(recordField(first, last, buffer));
}

std::string_view MediaClearingLine::recordField(std::size_t first, std::size_t last,
                                                std::string& buffer) const {
    return recordColumns(m_line, first, last, buffer);
}

std::string_view MediaClearingLine::creditAccountColumns(std::string& buffer) const {
    return columns(m_line, 17, 17) == "0" ? recordField(18, 27, buffer) : recordField(17, 27, buffer);
}

std::string MediaClearingLine::debitBranchField() const {
    return recordField(31, 34);
}
std::string MediaClearingLine::debitAccountField() const {
    return recordField(36, 45);
}
std::string MediaClearingLine::serviceTypeField() const {
    return recordField(54, 55);
}
std::string MediaClearingLine::payeeNameField() const {
    return recordField(200, 222);
}

std::vector<RejectionEntry> MediaClearingLine::rejections(long lineNumber) const {
    std::vector<RejectionEntry> found;
    if (!creditAccountCheck(creditAccount(), bankCode())) {
        if (bankCode() == kOwnBankCode) {
            found.push_back(entry(RejectionKind::InvalidAcct, lineNumber, "  Column : 17-27",
                                  "  Credit account is invalid ZVB account", "Account", "17-27",
                                  "Credit account is invalid ZVB account"));
        } else {
            found.push_back(entry(RejectionKind::InvalidAcct, lineNumber, "  Column : 17-27",
                                  "  Credit account is zero or not numeric or invalid length", "Account",
                                  "17-27", "Credit account is invalid account"));
        }
    }
    if (amountChars() == kZeroAmount) {
        found.push_back(entry(RejectionKind::CreditZeroAmount, lineNumber, "  Column : 58-69",
                              "  Credit amount is zero", "Amount", "58-69", "Credit amount is zero"));
    }
    // A cut amount would be read as a different, smaller value.
    if (!amountCheck(amountChars()) || amountCut()) {
        found.push_back(entry(RejectionKind::CreditAmountInvalid, lineNumber, "  Column : 58-69",
                              "  Credit amount less than zero or invalid number", "Amount", "58-69",
                              "Credit amount less than zero or invalid number"));
    }
    if (!bankBranchCodeCheck(bankCode(), "Bank") || !bankBranchCodeCheck(branchCode(), "Branch")) {
        found.push_back(entry(
            RejectionKind::BankBranchCode, lineNumber, "  Column : 10-12 Column: 13-16", " invalid code",
            "Bank Code,Branch Code", "10-12,13-16",
            "Bank " + std::string(bankCode()) + " branch " + std::string(branchCode()) + " invalid code"));
    }
    return found;
}

}  // namespace convertor

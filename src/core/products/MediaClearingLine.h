#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "bankfile/Rejection.h"

namespace convertor {

// The columns of one Media Clearing detail line. Raw fields are what the line holds (possibly cut
// short); the record fields are padded to their widths with control bytes blanked, so a short or
// dirty line can never make a record shorter or break the bank's line reading.
class MediaClearingLine {
public:
    explicit MediaClearingLine(std::string_view line) : m_line(line) {}

    std::string_view bankCode() const;       // 10-12
    std::string_view branchCode() const;     // 13-16
    std::string_view creditAccount() const;  // 17-27
    std::string_view debitAccount() const;   // 36-45
    std::string_view amountChars() const;    // 58-69
    bool amountCut() const { return amountChars().size() < 12; }

    // Record 003 field 3 without its blank fill: the ten or eleven account characters, the
    // leading "0" of an eleven-digit account dropped.
    std::string_view creditAccountColumns(std::string& buffer) const;
    std::string debitBranchField() const;   // 31-34, four characters
    std::string debitAccountField() const;  // 36-45, ten characters
    std::string serviceTypeField() const;   // 54-55, two characters
    std::string payeeNameField() const;     // 200-222, 23 characters, not trimmed
    // The same fields without a copy where the line allows (recordColumns).
    std::string_view serviceTypeField(std::string& buffer) const { return recordField(54, 55, buffer); }
    std::string_view payeeIdField(std::string& buffer) const { return recordField(190, 199, buffer); }
    std::string_view payeeNameField(std::string& buffer) const { return recordField(200, 222, buffer); }

    // One entry per reason the line is refused, in the order they are logged; none when accepted.
    std::vector<RejectionEntry> rejections(long lineNumber) const;

private:
    std::string recordField(std::size_t first, std::size_t last) const;
    std::string_view recordField(std::size_t first, std::size_t last, std::string& buffer) const;

    std::string_view m_line;
};

}  // namespace convertor

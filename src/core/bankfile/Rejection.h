#pragma once

#include <array>
#include <string>
#include <vector>

#include "base/Product.h"

namespace convertor {

enum class RejectionKind { InvalidAcct, CreditZeroAmount, CreditAmountInvalid, BankBranchCode };
constexpr std::array<RejectionKind, 4> kAllRejectionKinds{
    RejectionKind::InvalidAcct, RejectionKind::CreditZeroAmount, RejectionKind::CreditAmountInvalid,
    RejectionKind::BankBranchCode};

// The rejection files a run of the product writes.
std::vector<RejectionKind> rejectionKinds(Product product);
// "_InvalidAcctRecord.txt", "_CreditZeroAmountRecord.txt", "_CreditAmountInvalidRecord.txt",
// "_BankBranchCode.txt"
const char* rejectionSuffix(RejectionKind kind);
// Company ID as typed (code page 874), "_", product code, suffix; as a file name of this platform.
std::string rejectionFileName(const std::string& companyId, const std::string& productCode,
                              RejectionKind kind);

struct RejectionFlags {
    std::array<bool, 4> raised{};
    bool& operator[](RejectionKind kind) { return raised[static_cast<int>(kind)]; }
    bool operator[](RejectionKind kind) const { return raised[static_cast<int>(kind)]; }
};

// The eight texts the result report prints, in slot order.
struct RunSummary {
    std::array<std::string, 8> items{"0", "", "0", "", "0", "", "0", "0"};
    static constexpr std::array<const char*, 8> kNames{"TotalZeroAcct", "NoZeroAcct",      "TotalZeroAm",
                                                       "NoZeroAm",      "TotalNagativeAm", "NoNagativeAm",
                                                       "TotalReject",   "TotalBNKBRN"};
};

// One refused reason of one source line. Texts are code page 874.
struct RejectionEntry {
    RejectionKind kind;
    long lineNumber;
    std::string columnPart;
    std::string messagePart;
    std::string fieldName;  // Dcp_Err values; unused by Manager Cheque
    std::string colNo;
    std::string desErr;
};

// "LineNo : " + the line number + the column part + the message part, into line (reused).
void rejectionLine(const RejectionEntry& entry, std::string& line);

}  // namespace convertor

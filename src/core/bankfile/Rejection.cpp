#include "bankfile/Rejection.h"

#include "text/CodePage.h"

namespace convertor {

std::vector<RejectionKind> rejectionKinds(Product product) {
    if (product == Product::MediaClearing) {
        return {kAllRejectionKinds.begin(), kAllRejectionKinds.end()};
    }
    return {RejectionKind::InvalidAcct, RejectionKind::CreditZeroAmount, RejectionKind::CreditAmountInvalid};
}

const char* rejectionSuffix(RejectionKind kind) {
    switch (kind) {
        case RejectionKind::InvalidAcct:
            return "_InvalidAcctRecord.txt";
        case RejectionKind::CreditZeroAmount:
            return "_CreditZeroAmountRecord.txt";
        case RejectionKind::CreditAmountInvalid:
            return "_CreditAmountInvalidRecord.txt";
        case RejectionKind::BankBranchCode:
            return "_BankBranchCode.txt";
    }
    return "";
}

std::string rejectionFileName(const std::string& companyId, const std::string& productCode,
                              RejectionKind kind) {
    return toUtf8(companyId) + "_" + productCode + rejectionSuffix(kind);
}

void rejectionLine(const RejectionEntry& entry, std::string& line) {
    line.assign("LineNo : ");
    line.append(std::to_string(entry.lineNumber));
    line.append(entry.columnPart);
    line.append(entry.messagePart);
}

}  // namespace convertor

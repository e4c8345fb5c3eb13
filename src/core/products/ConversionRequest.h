#pragma once

#include <optional>
#include <string>

#include "base/Product.h"

namespace convertor {

// The operator's inputs for one press of "Reformat Data". Entry texts are code page 874 bytes;
// file names are names of this platform.
struct ConversionRequest {
    std::string companyId;     // at most 12 characters, used untrimmed
    std::string debitAccount;  // at most 25
    std::string feeAccount;    // at most 25
    std::optional<Product> product;
    std::string sourceFile;
    std::string invoiceFile;
    std::string destinationFile;
    bool printDetail = false;
    // Where to write the report the run ends with (*.json, or HTML from its template), as one of
    // the run's outputs; empty for none. The command line's --report.
    std::string reportFile;
};

}  // namespace convertor

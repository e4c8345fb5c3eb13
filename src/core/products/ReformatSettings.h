#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "base/Product.h"

namespace convertor {

// The seven values of section ReFormat of Data/Default.ini, read once as text: keys DCP, PAY, MCL,
// MCP, Default, DefaultBranchCode and Print.
struct ReformatSettings {
    std::string dcp = "Error";
    std::string pay = "Error";
    std::string mcl = "Error";
    std::string mcp = "Error";
    std::string defaultCode = "Error";  // the product checked at start-up
    std::string defaultBranchCode = "Error";
    std::string print = "T";

    bool enabled(Product product) const;
    // The product checked at start-up: exact, case-sensitive match of Default.
    std::optional<Product> defaultProduct() const;
    // A disabled product can still be chosen when it is the default one.
    bool selectable(Product product) const;
};

// A missing file or key gives the defaults above; a file that is there but not a regular file
// throws ConversionError.
ReformatSettings loadReformatSettings(const std::filesystem::path& iniFile);

}  // namespace convertor

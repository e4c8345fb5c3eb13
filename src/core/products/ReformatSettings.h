#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "base/Product.h"

namespace convertor {

// The seven values of section ReFormat of Data/Default.ini, read once as text.
struct ReformatSettings {
    std::string DCP = "Error";
    std::string PAY = "Error";
    std::string MCL = "Error";
    std::string MCP = "Error";
    std::string Default = "Error";
    std::string DefaultBranchCode = "Error";
    std::string Print = "T";

    bool enabled(Product product) const;
    // The product checked at start-up: exact, case-sensitive match of Default.
    std::optional<Product> defaultProduct() const;
    // A disabled product can still be chosen when it is the default one.
    bool selectable(Product product) const;
};

// A missing file or key gives the defaults above.
ReformatSettings loadReformatSettings(const std::filesystem::path& iniFile);

}  // namespace convertor

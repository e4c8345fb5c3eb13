#include "products/ReformatSettings.h"

#include "base/ConversionError.h"

// Values are kept as the bytes of the file; no wide-character conversion is wanted.
#define SI_NO_CONVERSION
#include <SimpleIni.h>

#include <algorithm>
#include <cctype>

namespace convertor {

namespace {

std::string upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

}  // namespace

bool ReformatSettings::enabled(Product product) const {
    switch (product) {
        case Product::DirectCredit:
            return upper(dcp) != "FALSE";
        case Product::Payroll:
            return upper(pay) != "FALSE";
        case Product::MediaClearing:
            return upper(mcl) != "FALSE";
        case Product::ManagerCheque:
            return upper(mcp) != "FALSE";
    }
    return false;
}

std::optional<Product> ReformatSettings::defaultProduct() const {
    return productFromCode(defaultCode);
}

bool ReformatSettings::selectable(Product product) const {
    return enabled(product) || defaultProduct() == product;
}

ReformatSettings loadReformatSettings(const std::filesystem::path& iniFile) {
    ReformatSettings settings;
    // A FIFO or device would hang the reading or be read for ever.
    std::error_code error;
    std::filesystem::file_status status = std::filesystem::status(iniFile, error);
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
        throw ConversionError("The settings file " + iniFile.string() + " is not a regular file");
    }
    CSimpleIniA ini(/*isUtf8=*/false, /*multiKey=*/false, /*multiLine=*/false);
    if (ini.LoadFile(iniFile.c_str()) < 0) {
        return settings;
    }
    auto read = [&](const char* key, std::string& value) {
        value = ini.GetValue("ReFormat", key, value.c_str());
    };
    read("DCP", settings.dcp);
    read("PAY", settings.pay);
    read("MCL", settings.mcl);
    read("MCP", settings.mcp);
    read("Default", settings.defaultCode);
    read("DefaultBranchCode", settings.defaultBranchCode);
    read("Print", settings.print);
    return settings;
}

}  // namespace convertor

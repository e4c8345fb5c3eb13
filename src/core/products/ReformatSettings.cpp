#include "products/ReformatSettings.h"

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
            return upper(DCP) != "FALSE";
        case Product::Payroll:
            return upper(PAY) != "FALSE";
        case Product::MediaClearing:
            return upper(MCL) != "FALSE";
        case Product::ManagerCheque:
            return upper(MCP) != "FALSE";
    }
    return false;
}

std::optional<Product> ReformatSettings::defaultProduct() const {
    return productFromCode(Default);
}

bool ReformatSettings::selectable(Product product) const {
    return enabled(product) || defaultProduct() == product;
}

ReformatSettings loadReformatSettings(const std::filesystem::path& iniFile) {
    ReformatSettings settings;
    CSimpleIniA ini(/*isUtf8=*/false, /*multiKey=*/false, /*multiLine=*/false);
    if (ini.LoadFile(iniFile.c_str()) < 0) {
        return settings;
    }
    auto read = [&](const char* key, std::string& value) {
        value = ini.GetValue("ReFormat", key, value.c_str());
    };
    read("DCP", settings.DCP);
    read("PAY", settings.PAY);
    read("MCL", settings.MCL);
    read("MCP", settings.MCP);
    read("Default", settings.Default);
    read("DefaultBranchCode", settings.DefaultBranchCode);
    read("Print", settings.Print);
    return settings;
}

}  // namespace convertor

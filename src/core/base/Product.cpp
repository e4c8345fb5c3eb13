#include "base/Product.h"

namespace convertor {

namespace {

struct ProductNames {
    Product product;
    const char* code;
    const char* caption;
};

constexpr ProductNames kProducts[] = {
    {Product::DirectCredit, "DCP", "Direct Credit"},
    {Product::Payroll, "PAY", "PayRoll"},
    {Product::MediaClearing, "MCL", "Media Clearing"},
    {Product::ManagerCheque, "MCP", "Manager Cheque"},
};

const ProductNames* namesOf(Product product) {
    for (const ProductNames& names : kProducts) {
        if (names.product == product) {
            return &names;
        }
    }
    return nullptr;
}

}  // namespace

std::string productCode(Product product) {
    const ProductNames* names = namesOf(product);
    return names == nullptr ? std::string() : names->code;
}

std::optional<Product> productFromCode(std::string_view code) {
    for (const ProductNames& names : kProducts) {
        if (code == names.code) {
            return names.product;
        }
    }
    return std::nullopt;
}

std::string productCaption(Product product) {
    const ProductNames* names = namesOf(product);
    return names == nullptr ? std::string() : names->caption;
}

}  // namespace convertor

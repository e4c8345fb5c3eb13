#include "base/Product.h"

namespace convertor {

std::string productCode(Product product) {
    switch (product) {
        case Product::DirectCredit:
            return "DCP";
        case Product::Payroll:
            return "PAY";
        case Product::MediaClearing:
            return "MCL";
        case Product::ManagerCheque:
            return "MCP";
    }
    return {};
}

std::optional<Product> productFromCode(std::string_view code) {
    for (Product product :
         {Product::DirectCredit, Product::Payroll, Product::MediaClearing, Product::ManagerCheque}) {
        if (code == productCode(product)) {
            return product;
        }
    }
    return std::nullopt;
}

std::string productCaption(Product product) {
    switch (product) {
        case Product::DirectCredit:
            return "Direct Credit";
        case Product::Payroll:
            return "PayRoll";
        case Product::MediaClearing:
            return "Media Clearing";
        case Product::ManagerCheque:
            return "Manager Cheque";
    }
    return {};
}

}  // namespace convertor

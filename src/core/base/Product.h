#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace convertor {

enum class Product { DirectCredit, Payroll, MediaClearing, ManagerCheque };

// "DCP", "PAY", "MCL", "MCP"
std::string productCode(Product product);
std::optional<Product> productFromCode(std::string_view code);
// "Direct Credit", "PayRoll", "Media Clearing", "Manager Cheque": the captions handed to reports.
std::string productCaption(Product product);

}  // namespace convertor

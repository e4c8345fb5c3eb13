#pragma once

#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace convertor {

// A field value: null, a float column or a text column.
using TableValue = std::variant<std::monostate, double, std::string>;

// Named field values of one row, in column order.
using TableRow = std::vector<std::pair<std::string, TableValue>>;

}  // namespace convertor

#pragma once

#include <filesystem>

namespace convertor {

struct ConversionRequest;
struct ConversionState;
class TableStore;
class Operator;
class Clock;

// One press of "Reformat Data": the input checks in their order, the rejection files around the
// run, dispatch to the product's converter, and packing. Errors that end the run propagate as
// ConversionError (or another std::exception) to the front end.
void runConversion(const ConversionRequest& request, ConversionState& state, TableStore& tables, Operator& op,
                   const Clock& clock, const std::filesystem::path& home);

}  // namespace convertor

#pragma once

#include "products/RunResult.h"

namespace convertor {

struct ConversionRequest;
class Session;
class Operator;

// One press of "Reformat Data": the input checks in their order, the run's outputs under work
// names, dispatch to the product's converter, packing and the commit of the outputs, then the
// messages and the report the run ends with. The operator is shown what the run shows, in order;
// the result says what it produced. Errors that end the run propagate as ConversionError (or
// another std::exception) to the front end, and leave the destination folder as it was.
RunResult runConversion(const ConversionRequest& request, Session& session, Operator& op);

}  // namespace convertor

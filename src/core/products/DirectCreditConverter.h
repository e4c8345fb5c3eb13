#pragma once

#include "products/ProductRun.h"

namespace convertor {

// Direct Credit and Payroll: one source layout (two variants), one converter.
ConverterResult convertDirectCredit(ConversionContext& ctx);

}  // namespace convertor

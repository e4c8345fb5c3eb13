#pragma once

namespace convertor {

struct ConversionContext;

// Direct Credit and Payroll: one source layout (two variants), one converter.
void convertDirectCredit(ConversionContext& ctx);

}  // namespace convertor

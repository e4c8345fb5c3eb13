#pragma once

namespace convertor {

struct ConversionContext;

// Direct Credit and Payroll: one source layout (two variants), one converter.
void ConvertDirectCredit(ConversionContext& ctx);

}  // namespace convertor

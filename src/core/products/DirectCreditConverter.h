#pragma once

namespace convertor {

struct ConversionContext;
struct RunReport;

// Direct Credit and Payroll: one source layout (two variants), one converter.
RunReport convertDirectCredit(ConversionContext& ctx);

}  // namespace convertor

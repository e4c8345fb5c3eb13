#pragma once

namespace convertor {

struct ConversionContext;
struct RunReport;

RunReport convertManagerCheque(ConversionContext& ctx);

}  // namespace convertor

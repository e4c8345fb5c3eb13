#pragma once

namespace convertor {

struct ConversionContext;

void ConvertManagerCheque(ConversionContext& ctx);

}  // namespace convertor

#pragma once

namespace convertor {

struct ConversionContext;

void convertManagerCheque(ConversionContext& ctx);

}  // namespace convertor

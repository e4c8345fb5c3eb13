#pragma once

namespace convertor {

struct ConversionContext;

void convertMediaClearing(ConversionContext& ctx);

}  // namespace convertor

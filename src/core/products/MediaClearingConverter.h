#pragma once

namespace convertor {

struct ConversionContext;

void ConvertMediaClearing(ConversionContext& ctx);

}  // namespace convertor

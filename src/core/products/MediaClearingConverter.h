#pragma once

#include "products/ProductRun.h"

namespace convertor {

ConverterResult convertMediaClearing(ConversionContext& ctx);

}  // namespace convertor

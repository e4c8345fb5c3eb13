#pragma once

#include "products/ProductRun.h"

namespace convertor {

ConverterResult convertManagerCheque(ConversionContext& ctx);

}  // namespace convertor

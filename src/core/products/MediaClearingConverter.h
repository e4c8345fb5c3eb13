#pragma once

namespace convertor {

struct ConversionContext;
struct RunReport;

RunReport convertMediaClearing(ConversionContext& ctx);

}  // namespace convertor

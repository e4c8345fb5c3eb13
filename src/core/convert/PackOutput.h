#pragma once

#include <string>

namespace convertor {

struct ConversionState;
struct Date;

// The day's archive "<dir><yyyy-mm-dd><company ID trimmed>_<product>.zip" beside the bank file:
// every earlier entry removed, the bank file added with Deflate level 1. Throws IoError.
void packOutput(const ConversionState& state, const std::string& destinationFile,
                const std::string& companyId, const Date& today);

// The archive's file name without directory.
std::string archiveName(const std::string& companyId, const std::string& productCode, const Date& today);

}  // namespace convertor

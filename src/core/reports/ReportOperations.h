#pragma once

#include <string>

namespace convertor {

struct ConversionContext;

// Each builds the report value of one report and hands it to the operator. Text arguments are
// code page 874.

void ShowResultReport(ConversionContext& ctx, const std::string& payType, const std::string& debitRecord,
                      const std::string& creditRecord, const std::string& amountText,
                      const std::string& valueDate, const std::string& companyName,
                      const std::string& companyCaption);

void ShowDcpDetailReport(ConversionContext& ctx, const std::string& payType, const std::string& valueDate,
                         const std::string& companyName);

void ShowMclDetailReport(ConversionContext& ctx, const std::string& payType, const std::string& valueDate,
                         const std::string& companyName, const std::string& debitAccount);

void ShowMcpDetailReport(ConversionContext& ctx, const std::string& payType, const std::string& valueDate,
                         const std::string& debitAccount);

}  // namespace convertor

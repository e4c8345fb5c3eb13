#pragma once

#include <string>

namespace convertor {

struct ConversionContext;

// Each builds the report value of one report and hands it to the operator. Text arguments are
// code page 874.

void showResultReport(ConversionContext& ctx, const std::string& payType, const std::string& debitRecord,
                      const std::string& creditRecord, const std::string& amountText,
                      const std::string& valueDate, const std::string& companyName,
                      const std::string& companyCaption);

void showDcpDetailReport(ConversionContext& ctx, const std::string& payType, const std::string& valueDate,
                         const std::string& companyName);

void showMclDetailReport(ConversionContext& ctx, const std::string& payType, const std::string& valueDate,
                         const std::string& companyName, const std::string& debitAccount);

void showMcpDetailReport(ConversionContext& ctx, const std::string& payType, const std::string& valueDate,
                         const std::string& debitAccount);

}  // namespace convertor

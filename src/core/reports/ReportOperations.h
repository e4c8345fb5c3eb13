#pragma once

#include <string>

namespace convertor {

struct ConversionContext;
struct ReportValue;

// Text arguments are code page 874.

// Builds the result report and hands it to the operator.
void showResultReport(ConversionContext& ctx, const std::string& payType, const std::string& debitRecord,
                      const std::string& creditRecord, const std::string& amountText,
                      const std::string& valueDate, const std::string& companyName,
                      const std::string& companyCaption);

// The detail reports, built without being shown: HashCode is the text given.

ReportValue dcpDetailReport(ConversionContext& ctx, const std::string& hashCode, const std::string& payType,
                            const std::string& valueDate, const std::string& companyName);

ReportValue mclDetailReport(ConversionContext& ctx, const std::string& hashCode, const std::string& payType,
                            const std::string& valueDate, const std::string& companyName,
                            const std::string& debitAccount);

ReportValue mcpDetailReport(ConversionContext& ctx, const std::string& hashCode, const std::string& payType,
                            const std::string& valueDate, const std::string& debitAccount);

}  // namespace convertor

#include "products/ConversionState.h"

#include "bankfile/FileHeader.h"

namespace convertor {

void buildFileHeader(ConversionState& state, const std::string& companyId, const Date& today) {
    RecordTemplate<1> header = fileHeader(companyId, today);
    state.companyIdField = header.get(Record001::CompanyId);
    state.lineBuffer = header.line() + "\r\n";
}

}  // namespace convertor

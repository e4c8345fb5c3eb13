#include "bankfile/FileHeader.h"

#include "bankfile/FieldChecks.h"
#include "convert/Clock.h"
#include "convert/ConversionState.h"

namespace convertor {

void BuildFileHeader(ConversionState& state, const std::string& companyId, const Date& today) {
    state.companyIdField = FillString(' ', 12);
    if (!companyId.empty()) {
        state.companyIdField = companyId + FillString(' ', 12 - static_cast<long>(companyId.size()));
    }
    std::string date = today.yyyymmdd();
    state.lineBuffer = "001" + state.companyIdField + date + FillString(' ', 24) + date + "000000" + "BCM" +
                       date + FillString(' ', 24) + "\r\n";
}

}  // namespace convertor

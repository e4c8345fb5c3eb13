#include "bankfile/FileHeader.h"

#include "bankfile/FieldChecks.h"
#include "base/Clock.h"
#include "products/ConversionState.h"

namespace convertor {

void buildFileHeader(ConversionState& state, const std::string& companyId, const Date& today) {
    state.companyIdField = fillString(' ', 12);
    if (!companyId.empty()) {
        state.companyIdField = companyId + fillString(' ', 12 - static_cast<long>(companyId.size()));
    }
    std::string date = today.yyyymmdd();
    state.lineBuffer = "001" + state.companyIdField + date + fillString(' ', 24) + date + "000000" + "BCM" +
                       date + fillString(' ', 24) + "\r\n";
}

}  // namespace convertor

#include <algorithm>
#include <string>
#include <string_view>

#include "FuzzInput.h"
#include "bankfile/FieldChecks.h"
#include "text/Numbers.h"
#include "text/Padding.h"

// The field checks take any bytes; their answers agree with each other.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace convertor;
    std::string_view text(reinterpret_cast<const char*>(data), size);
    bool numeric = numericCheck(text);
    bool amount = amountCheck(text);
    FUZZ_CHECK(!amount || numeric);
    if (accountCheck(text)) {
        FUZZ_CHECK(text.size() == 10 || text.size() == 11);
    }
    if (auto whole = wholeNumber(text)) {
        FUZZ_CHECK(numeric);
    }
    if (isDigits(text)) {
        FUZZ_CHECK(!text.empty());
    }
    std::string_view year = text.substr(0, std::min<size_t>(4, size));
    std::string_view month = text.substr(year.size(), std::min<size_t>(2, size - year.size()));
    std::string_view day = text.substr(year.size() + month.size(), 2);
    dateCheck(year, month, day);
    thaiTextCheck(text, size);
    FUZZ_CHECK(padRight(text, 30).size() >= 30 && padLeftZeros(text, 30).size() >= 30);
    return 0;
}

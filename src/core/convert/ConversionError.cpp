#include "convert/ConversionError.h"

#include "bankfile/FieldChecks.h"
#include "text/CodePage.h"

namespace convertor {

namespace {

std::string atLine(long lineNumber) {
    return lineNumber > 0 ? " (line " + std::to_string(lineNumber) + ")" : std::string();
}

}  // namespace

ConversionError notAnInteger(const std::string& text, long lineNumber) {
    return ConversionError("'" + toUtf8(text) + "' is not a valid integer value" + atLine(lineNumber));
}

ConversionError notAFloat(const std::string& text, long lineNumber) {
    return ConversionError("'" + toUtf8(text) + "' is not a valid floating point value" + atLine(lineNumber));
}

long toWholeNumber(const std::string& text, long lineNumber) {
    auto value = wholeNumber(text);
    if (!value) {
        throw notAnInteger(text, lineNumber);
    }
    return *value;
}

}  // namespace convertor

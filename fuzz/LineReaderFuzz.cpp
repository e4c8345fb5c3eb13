#include <algorithm>
#include <cstdio>

#include "FuzzInput.h"
#include "text/LineReader.h"

// Lines never hold a CR or Ctrl-Z, their bytes all come from the input in order, and every CR
// before the first Ctrl-Z ends exactly one line.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace convertor;
    std::string input(reinterpret_cast<const char*>(data), size);
    std::string text = input.substr(0, input.find('\x1a'));
    LineReader reader(fuzz::writeInput("lines.txt", data, size));
    std::string line;
    std::string joined;
    long lines = 0;
    while (reader.next(line)) {
        FUZZ_CHECK(line.find('\r') == std::string::npos && line.find('\x1a') == std::string::npos);
        joined += line;
        ++lines;
        FUZZ_CHECK(reader.lineNumber() == lines);
    }
    std::string expected;
    std::remove_copy_if(text.begin(), text.end(), std::back_inserter(expected),
                        [](char c) { return c == '\r'; });
    long crs = std::count(text.begin(), text.end(), '\r');
    // An LF right after a CR belongs to the line end, so the joined lines may lack some LFs.
    FUZZ_CHECK(joined.size() <= expected.size());
    FUZZ_CHECK(lines == crs || lines == crs + 1);
    return 0;
}

#include <string>

#include "FuzzInput.h"
#include "bankfile/BankFileVerifier.h"

// verify reads any bytes and answers "OK" or problems that each name a line.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace convertor;
    for (const std::string& problem : verifyBankFile(fuzz::writeInput("bank.txt", data, size))) {
        FUZZ_CHECK(problem.rfind("line ", 0) == 0);
    }
    return 0;
}

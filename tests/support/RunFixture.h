#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "base/Clock.h"
#include "convert/ConversionRun.h"
#include "convert/Session.h"
#include "refdata/TableStore.h"
#include "support/TestSupport.h"

namespace convertor::test {

// One converter window's session over a fresh program directory; today is fixed.
class RunFixture : public ::testing::Test {
protected:
    RunFixture() { session.setClock(clock); }

    void run() { result = runConversion(request, session, op); }
    bool completed() const { return result.outcome == RunOutcome::Completed; }

    // A Direct Credit request over a file of tests/data, writing out/bank.txt.
    void directCredit(const std::string& dataFile, Product product = Product::DirectCredit) {
        request.companyId = "ACME01";
        request.debitAccount = "1234567896";
        request.feeAccount = "1234567896";
        request.product = product;
        request.sourceFile = testData(dataFile).string();
        request.destinationFile = bank().string();
    }

    std::filesystem::path bank() const { return home.out("bank.txt"); }
    std::filesystem::path outFile(const std::string& name) const { return home.out(name); }
    std::vector<std::string> bankLines() const { return splitCrlf(readFile(bank())); }
    std::size_t rows(const std::string& table) { return query(tables, "select * from " + table).rows.size(); }

    TestHome home;
    FixedClock clock{Date{2030, 1, 2}};
    Session session{home.home()};
    TableStore& tables = session.tables();
    RecordingOperator op;
    ConversionRequest request;
    RunResult result;
};

}  // namespace convertor::test

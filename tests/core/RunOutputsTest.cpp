#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "bankfile/BankFileVerifier.h"
#include "base/ConversionError.h"
#include "support/RunFixture.h"

namespace fs = std::filesystem;

namespace convertor::test {
namespace {

// A run succeeds completely or leaves the destination folder as it was.
class RunOutputsTest : public RunFixture {
protected:
    // Every file of the destination folder with its bytes (folders as "<dir>").
    std::map<std::string, std::string> folder() const {
        std::map<std::string, std::string> files;
        for (const auto& entry : fs::directory_iterator(home.out(""))) {
            files[entry.path().filename().string()] = entry.is_directory() ? "<dir>" : readFile(entry.path());
        }
        return files;
    }
    // What the run threw, or "" when it ended normally.
    std::string runError() {
        try {
            run();
        } catch (const ConversionError& error) {
            return error.what();
        }
        return {};
    }
    void olderRun() {
        directCredit("dcp/eleven.txt");
        run();
        ASSERT_TRUE(completed());
        op = RecordingOperator{};
        result = RunResult{};
    }
};

TEST_F(RunOutputsTest, InputNamedLikeARejectionFileIsNeverCutNorRemoved) {
    for (const char* name : {"ACME01_DCP_InvalidAcctRecord.txt", "ACME01_DCP_CreditZeroAmountRecord.txt"}) {
        fs::remove_all(home.out(""));
        fs::create_directories(home.out(""));
        fs::copy_file(testData("dcp/nine.txt"), home.out(name));
        directCredit("dcp/nine.txt");
        request.sourceFile = home.out(name).string();
        EXPECT_EQ(runError(), "") << name;
        EXPECT_EQ(op.messages.back(),
                  "Source or invoice file must not be named like a rejection file or the archive of the run. "
                  "Please move or rename it and retry");
        EXPECT_FALSE(completed());
        EXPECT_EQ(folder(), (std::map<std::string, std::string>{{name, readFile(testData("dcp/nine.txt"))}}));
    }
}

TEST_F(RunOutputsTest, DestinationNamedLikeAnotherOutputIsRefusedBeforeAnythingIsWritten) {
    olderRun();
    auto before = folder();
    for (const char* name : {"ACME01_DCP_InvalidAcctRecord.txt", "ACME01_DCP_CreditZeroAmountRecord.txt",
                             "2030-01-02ACME01_DCP.zip"}) {
        directCredit("dcp/nine.txt");
        request.destinationFile = home.out(name).string();
        op.messages.clear();
        run();
        EXPECT_EQ(op.messages,
                  std::vector<std::string>{"Destination file name must not name a rejection file or "
                                           "the archive of the run. Please insert another "
                                           "destination file name and retry"});
        EXPECT_EQ(folder(), before) << name;
    }
}

TEST_F(RunOutputsTest, WorkFilesOfAKilledRunAreRemovedByTheNextRun) {
    for (const char* stale : {".convertor-work-bank", ".convertor-work-InvalidAcct", ".convertor-work-zip",
                              ".convertor-work-zip.Xy12Zq"}) {
        writeFile(home.out(stale), "left by a killed run");
    }
    writeFile(home.out("notes.convertor-work-bank"), "the user's");
    directCredit("dcp/nine.txt");
    run();
    ASSERT_TRUE(completed());
    std::vector<std::string> names;
    for (const auto& [name, bytes] : folder()) {
        names.push_back(name);
    }
    EXPECT_EQ(names,
              (std::vector<std::string>{"2030-01-02ACME01_DCP.zip", "ACME01_DCP_CreditZeroAmountRecord.txt",
                                        "bank.txt", "notes.convertor-work-bank"}));
}

TEST_F(RunOutputsTest, RunEndedByAnErrorOrAStopLeavesTheFolderAsItWas) {
    olderRun();
    auto before = folder();
    struct Case {
        const char* source;
        std::function<void()> fault;
        const char* error;  // "" for a stop
    };
    std::vector<Case> cases{
        {"dcp/yesterday.txt", [] {}, ""},
        // The archive's work file cannot be created.
        {"dcp/nine.txt", [&] { fs::create_directories(home.out(".convertor-work-zip/x")); },
         "Cannot create a work file for "},
        {"dcp/bad_count.txt", [] {}, ""},
    };
    for (const Case& c : cases) {
        c.fault();
        directCredit(c.source);
        std::string error = runError();
        EXPECT_THAT(error, ::testing::StartsWith(c.error)) << c.source;
        EXPECT_THAT(error, ::testing::Not(::testing::HasSubstr(".convertor-work-")));
        EXPECT_FALSE(completed());
        fs::remove_all(home.out(".convertor-work-zip"));
        EXPECT_EQ(folder(), before) << c.source;
    }
}

// Inputs the fuzzer found, whose bank files the run's own check once refused for columns copied
// as they stand: bytes before FF FE are the source, after it the invoice. They convert, and the
// bank file verifies.
TEST_F(RunOutputsTest, FieldsCopiedAsTypedPassTheRunsOwnCheck) {
    for (auto [input, product] :
         {std::pair{"ConvertManagerChequeFuzz/tax-paid-code-not-a-digit", Product::ManagerCheque},
          std::pair{"ConvertMediaClearingFuzz/debit-branch-not-digits", Product::MediaClearing}}) {
        std::string bytes = readFile(fs::path(FUZZ_FOUND_DIR) / input);
        std::size_t split = bytes.find("\xff\xfe");
        writeFile(home.in("source.txt"), bytes.substr(0, split));
        writeFile(home.in("invoice.txt"), split == std::string::npos ? "" : bytes.substr(split + 2));
        request.companyId = "FUZZ01";
        request.product = product;
        request.sourceFile = home.in("source.txt").string();
        request.invoiceFile = home.in("invoice.txt").string();
        request.destinationFile = bank().string();
        FixedClock fuzzDay(Date{2025, 3, 1});
        session.setClock(fuzzDay);
        ASSERT_NO_THROW(run()) << input;
        EXPECT_TRUE(completed()) << input;
        EXPECT_EQ(verifyBankFile(bank()), std::vector<std::string>{}) << input;
    }
}

}  // namespace
}  // namespace convertor::test

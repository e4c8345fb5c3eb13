#include <gtest/gtest.h>
#include <zip.h>

#include "base/ConversionError.h"
#include "support/RunFixture.h"

namespace fs = std::filesystem;

namespace convertor::test {
namespace {

class ConversionRunTest : public RunFixture {
protected:
    std::vector<std::string> outFiles() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(home.home() / "out")) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    // Entry names and the uncompressed bytes of the first entry.
    std::pair<std::vector<std::string>, std::string> archive(const fs::path& file) {
        int error = 0;
        zip_t* zip = zip_open(file.c_str(), ZIP_RDONLY, &error);
        EXPECT_NE(zip, nullptr);
        std::vector<std::string> names;
        std::string bytes;
        for (zip_int64_t i = 0; i < zip_get_num_entries(zip, 0); ++i) {
            zip_stat_t stat;
            zip_stat_index(zip, static_cast<zip_uint64_t>(i), 0, &stat);
            names.push_back(stat.name);
            EXPECT_EQ(stat.comp_method, ZIP_CM_DEFLATE);
            if (i == 0) {
                zip_file_t* entry = zip_fopen_index(zip, 0, 0);
                bytes.resize(stat.size);
                zip_fread(entry, bytes.data(), stat.size);
                zip_fclose(entry);
            }
        }
        zip_close(zip);
        return {names, bytes};
    }
};

TEST_F(ConversionRunTest, InputChecksComeInTheirOrderWithTheirMessages) {
    auto only = [&](const std::string& message) {
        op.messages.clear();
        run();
        EXPECT_EQ(op.messages, std::vector<std::string>{message});
        EXPECT_TRUE(outFiles().empty());
    };
    only("Please insert company id");
    request.companyId = "ACME/../01";
    only("Company id must not contain \\ / : * ? \" < > | or control characters");
    request.companyId = "ACME01";
    only("Please select product type or select file name before reformat data ");
    directCredit("dcp/eleven.txt", Product::Payroll);
    request.sourceFile = home.in("missing.txt").string();
    request.debitAccount = "";
    only("Source file name does not exist. Please insert valid file name and retry");
    request.sourceFile = testData("dcp/eleven.txt").string();
    request.feeAccount = "123";
    only("Please insert debit account");
    request.debitAccount = "1234567890";
    request.feeAccount = "   ";
    only("Please insert debit fee account");
    request.feeAccount = "123";
    only("Invalid debit account");
    request.debitAccount = " 1234567896 ";
    only("Invalid debit fee account");
    EXPECT_EQ(state.productCode, "PAY");
}

TEST_F(ConversionRunTest, DestinationNamingTheSourceIsRefusedBeforeAnythingIsWritten) {
    fs::path source = home.out("payments.txt");
    fs::copy_file(testData("dcp/eleven.txt"), source);
    std::string before = readFile(source);
    directCredit("dcp/eleven.txt");
    request.sourceFile = source.string();
    request.destinationFile = (home.home() / "out" / "." / "payments.txt").string();
    run();
    EXPECT_EQ(op.messages,
              std::vector<std::string>{"Destination file name must not name the source or invoice "
                                       "file. Please insert another destination file name and retry"});
    EXPECT_EQ(readFile(source), before);
    EXPECT_EQ(outFiles(), std::vector<std::string>{"payments.txt"});
}

TEST_F(ConversionRunTest, SuccessfulRunIsPackedAndOnlyUsedRejectionFilesStay) {
    directCredit("dcp/nine.txt");
    request.companyId = " ACME01 ";
    run();
    ASSERT_TRUE(state.success);
    EXPECT_EQ(outFiles(), (std::vector<std::string>{" ACME01 _DCP_CreditZeroAmountRecord.txt",
                                                    "2030-01-02ACME01_DCP.zip", "bank.txt"}));
    auto [names, bytes] = archive(home.out("2030-01-02ACME01_DCP.zip"));
    EXPECT_EQ(names, std::vector<std::string>{"bank.txt"});
    EXPECT_EQ(bytes, readFile(bank()));
    EXPECT_EQ(op.messages[0], "Reformat data and add to 2030-01-02ACME01_DCP.zip completed");
    EXPECT_EQ(bankLines()[1].substr(0, 15), "001 ACME01     ") << "record 001 keeps the ID as typed";
}

TEST_F(ConversionRunTest, SecondRunOfTheDayReplacesTheArchivedFile) {
    directCredit("dcp/nine.txt");
    run();
    request.destinationFile = home.out("second.txt").string();
    directCredit("dcp/eleven.txt");
    request.destinationFile = home.out("second.txt").string();
    run();
    auto [names, bytes] = archive(home.out("2030-01-02ACME01_DCP.zip"));
    EXPECT_EQ(names, std::vector<std::string>{"second.txt"});
    EXPECT_EQ(bytes, readFile(home.out("second.txt")));

    directCredit("dcp/eleven.txt", Product::Payroll);
    run();
    EXPECT_TRUE(fs::exists(home.out("2030-01-02ACME01_PAY.zip")));
}

TEST_F(ConversionRunTest, RejectionFilesOfAnEarlierRunGoOnlyWithARunThatCompletes) {
    directCredit("dcp/eleven.txt");
    run();
    std::vector<std::string> first = outFiles();
    EXPECT_TRUE(fs::exists(home.out("ACME01_DCP_InvalidAcctRecord.txt")));
    directCredit("dcp/yesterday.txt");
    run();
    EXPECT_EQ(outFiles(), first) << "a stopped run changes nothing";
    directCredit("dcp/nine.txt");
    run();
    EXPECT_EQ(outFiles(), (std::vector<std::string>{"2030-01-02ACME01_DCP.zip",
                                                    "ACME01_DCP_CreditZeroAmountRecord.txt", "bank.txt"}));
}

TEST_F(ConversionRunTest, ManagerChequeLinesMustAllHoldSevenHundredCharacters) {
    std::string good(700, '1');
    writeFile(home.in("cheques.txt"), crlfLines({good, std::string(699, '1'), good}));
    request.companyId = "ACME01";
    request.product = Product::ManagerCheque;
    request.sourceFile = home.in("cheques.txt").string();
    request.destinationFile = bank().string();
    writeFile(home.out("ACME01_MCP_InvalidAcctRecord.txt"), "kept");
    run();
    EXPECT_EQ(op.messages, std::vector<std::string>{
                               "Length of line in the source file are missmatch for format cheque issuance"});
    EXPECT_EQ(readFile(home.out("ACME01_MCP_InvalidAcctRecord.txt")), "kept")
        << "no rejection file is touched";

    writeFile(home.in("cheques.txt"), crlfLines({good, ""}));
    op.messages.clear();
    run();
    EXPECT_EQ(op.messages.size(), 1u) << "an empty last line has length 0";
}

// A file at the archive's name that this program did not write is never replaced.
TEST_F(ConversionRunTest, ArchiveNameHoldingSomethingElseRefusesTheRun) {
    directCredit("dcp/nine.txt");
    fs::path archive = home.out("2030-01-02ACME01_DCP.zip");
    for (bool folder : {true, false}) {
        fs::remove_all(archive);
        folder ? (void)fs::create_directory(archive) : writeFile(archive, "notes, not a zip");
        op.messages.clear();
        run();
        EXPECT_EQ(op.messages,
                  std::vector<std::string>{"The file " + archive.string() +
                                           " is not a ZIP archive. Please move or rename it and retry"});
        EXPECT_FALSE(state.success);
        EXPECT_EQ(outFiles(), std::vector<std::string>{archive.filename().string()});
    }
    EXPECT_EQ(readFile(archive), "notes, not a zip");
}

TEST_F(ConversionRunTest, UnwritableDestinationFailsWithoutLeavingFiles) {
    directCredit("dcp/nine.txt");
    writeFile(home.out("not-a-folder"), "");
    request.destinationFile = home.out("not-a-folder/bank.txt").string();
    EXPECT_THROW(run(), IoError);
    EXPECT_EQ(outFiles(), std::vector<std::string>{"not-a-folder"});
    EXPECT_EQ(readFile(home.out("not-a-folder")), "");
}

}  // namespace
}  // namespace convertor::test

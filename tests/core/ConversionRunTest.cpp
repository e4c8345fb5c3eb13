#include <gtest/gtest.h>
#include <zip.h>

#include <sys/stat.h>

#include "base/ConversionError.h"
#include "output/RunLock.h"
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
    // Record 002 takes an 11-character account whole, its 4th character as a digit: a point there
    // passes the account's own check but not the entry's.
    request.debitAccount = "123.4567896";
    request.feeAccount = "12304567896";
    only("Invalid debit account");
    std::swap(request.debitAccount, request.feeAccount);
    only("Invalid debit fee account");
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
    ASSERT_TRUE(completed());
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
        EXPECT_FALSE(completed());
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

TEST_F(ConversionRunTest, CompanyIdsThatCannotNameTheFilesAreRefused) {
    struct Case {
        std::string id;
        std::string message;
    };
    const std::string control = "Company id must not contain \\ / : * ? \" < > | or control characters";
    for (const Case& c :
         std::vector<Case>{{"   ", "Please insert company id"},
                           {"ACME\x7F", control},
                           {"ACME\t01", control},
                           {"THIRTEEN-CHAR", "Company id must not be longer than 12 characters"}}) {
        directCredit("dcp/nine.txt");
        request.companyId = c.id;
        op.messages.clear();
        run();
        EXPECT_EQ(op.messages, std::vector<std::string>{c.message}) << c.id;
        EXPECT_TRUE(outFiles().empty()) << c.id;
    }
}

// Each case puts one file in the way, then runs with one request field changed.
TEST_F(ConversionRunTest, FilesThatAreNotRegularOrThatOutputsWouldOverwriteAreRefused) {
    const std::string notRegular = " is not a regular file. Please insert ";
    const std::string asRejection =
        "Source or invoice file must not be named like a rejection file or the archive "
        "of the run. Please move or rename it and retry";
    const std::string destAsOutput =
        "Destination file name must not name a rejection file or the archive of the "
        "run. Please insert another destination file name and retry";
    struct Case {
        std::string field;  // source, invoice or dest
        std::string path;
        char kind;  // 'p' FIFO, 'd' folder, 'f' a copy of the source, '-' nothing
        std::string message;
    };
    const std::vector<Case> cases{
        {"source", "in/pipe", 'p', "Source file name" + notRegular + "valid file name and retry"},
        {"invoice", "in/pipe", 'p', "Invoice file name" + notRegular + "valid file name and retry"},
        {"dest", "out/pipe", 'p',
         "Destination file name" + notRegular + "another destination file name and retry"},
        {"dest", "out/folder", 'd',
         "Destination file name" + notRegular + "another destination file name and retry"},
        {"dest", "/dev/null", '-',
         "Destination file name" + notRegular + "another destination file name and retry"},
        {"source", "out/ACME01_DCP_InvalidAcctRecord.txt", 'f', asRejection},
        {"source", "out/ACME01_DCP_CreditZeroAmountRecord.txt", 'f', asRejection},
        {"invoice", "out/2030-01-02ACME01_DCP.zip", 'f', asRejection},
        {"dest", "out/ACME01_DCP_CreditAmountInvalidRecord.txt", '-', destAsOutput},
        {"dest", "out/2030-01-02ACME01_DCP.zip", '-', destAsOutput},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field + " " + c.path);
        fs::path path = c.path[0] == '/' ? fs::path(c.path) : home.home() / c.path;
        if (c.kind == 'p') {
            ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
        } else if (c.kind == 'd') {
            fs::create_directory(path);
        } else if (c.kind == 'f') {
            fs::copy_file(testData("dcp/nine.txt"), path);
        }
        auto before = outFiles();
        request = ConversionRequest{};
        directCredit("dcp/nine.txt");
        (c.field == "source"    ? request.sourceFile
         : c.field == "invoice" ? request.invoiceFile
                                : request.destinationFile) = path.string();
        op.messages.clear();
        run();
        EXPECT_EQ(op.messages, std::vector<std::string>{c.message});
        EXPECT_EQ(outFiles(), before);
        if (c.kind == 'p') {
            EXPECT_TRUE(fs::is_fifo(path));
        } else if (c.kind == 'f') {
            EXPECT_EQ(readFile(path), readFile(testData("dcp/nine.txt")));
        }
        if (c.kind != '-') {
            fs::remove(path);
        }
    }
}

TEST_F(ConversionRunTest, SecondRunIntoTheSameFolderIsRefusedWhileTheFirstHoldsIt) {
    directCredit("dcp/nine.txt");
    {
        RunLock first((home.home() / "out/").string());
        ASSERT_FALSE(first.busy());
        run();
        EXPECT_EQ(op.messages, std::vector<std::string>{kDestinationBusy});
        EXPECT_TRUE(outFiles().empty());
    }
    op.messages.clear();
    run();
    EXPECT_TRUE(completed()) << "the lock goes with the run that held it";
}

// A clock whose day moves on at every reading, as at midnight.
class MidnightClock : public Clock {
public:
    Date today() const override { return Date{2030, 1, 2 + readings++}; }
    mutable int readings = 0;
};

TEST_F(ConversionRunTest, TheDateIsReadOncePerRun) {
    MidnightClock midnight;
    directCredit("dcp/nine.txt");
    request.printDetail = true;
    session.setClock(midnight);
    run();
    ASSERT_TRUE(completed());
    EXPECT_EQ(midnight.readings, 1);
    EXPECT_TRUE(fs::exists(home.out("2030-01-02ACME01_DCP.zip")));
    EXPECT_EQ(op.messages[0], "Reformat data and add to 2030-01-02ACME01_DCP.zip completed");
    ASSERT_FALSE(op.reports.empty());
    EXPECT_EQ(op.reports[0].printedOn, (Date{2030, 1, 2}));
}

}  // namespace
}  // namespace convertor::test

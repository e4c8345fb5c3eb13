#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include <sys/stat.h>

#include "CliApp.h"
#include "CliOperator.h"
#include "output/RunLock.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;

namespace convertor::test {
namespace {

using Outcome = CliOutcome;

// Runs convertor-cli as a process on 2 January 2030.
Outcome runProcess(const std::vector<std::string>& args, const fs::path& scratch) {
    return runCliProcess(args, scratch, "2030-01-02 10:00:00");
}

std::string quoted(const std::string& arg) {
    return "'" + arg + "'";
}

Outcome runInProcess(std::vector<std::string> args) {
    args.insert(args.begin(), "convertor-cli");
    std::vector<char*> argv;
    for (auto& arg : args) {
        argv.push_back(arg.data());
    }
    std::ostringstream out;
    std::ostringstream err;
    int status = cli::runCli(static_cast<int>(argv.size()), argv.data(), out, err);
    return {status, out.str(), err.str()};
}

class ConvertCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::system("command -v faketime >/dev/null 2>&1") != 0) {
            GTEST_SKIP() << "faketime is not installed";
        }
    }

    std::vector<std::string> directCredit(const std::string& source) const {
        return directCreditArgs(testData(source), home.out("bank.txt"), home.home());
    }

    TestHome home;
    TempDir scratch;
};

TEST_F(ConvertCliTest, ConvertsVerifiesAndPrintsExactly) {
    auto args = directCredit("dcp/eleven.txt");
    args.insert(args.end(), {"--report", home.out("report.json").string()});
    Outcome outcome = runProcess(args, scratch.path());
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    std::string bank = readFile(home.out("bank.txt"));
    std::string hash = bank.substr(0, 40);
    EXPECT_EQ(outcome.out,
              "Reformat data and add to 2030-01-02ACME01_DCP.zip completed\nHash Value: " + hash + "\n");
    EXPECT_EQ(outcome.err, "");

    // The first line equals sha1sum of the rest, in upper case.
    std::string command = "tail -c +43 " + quoted(home.out("bank.txt").string()) + " | sha1sum | tr a-f A-F";
    std::FILE* pipe = popen(command.c_str(), "r");
    char digest[41] = {};
    ASSERT_EQ(std::fread(digest, 1, 40, pipe), 40u);
    pclose(pipe);
    EXPECT_EQ(hash, std::string(digest));

    Outcome verify = runProcess({"verify", home.out("bank.txt").string()}, scratch.path());
    EXPECT_EQ(verify.status, 0);
    EXPECT_EQ(verify.out, "OK\n");

    std::string report = readFile(home.out("report.json"));
    EXPECT_NE(report.find("\"template\": \"rptResult.frf\""), std::string::npos);
    EXPECT_NE(report.find("\"Amount\": \"0000000001324.000\""), std::string::npos);
    EXPECT_FALSE(workFilesIn(home.out("")));
    EXPECT_TRUE(fs::exists(home.out("2030-01-02ACME01_DCP.zip")));
}

// On a terminal the percentage converted is redrawn in place on stderr and cleared before the
// messages; anywhere else stderr stays empty (above).
// Whether this machine can make a pseudo-terminal for `script`.
bool pseudoTerminals() {
    return std::system("script -qec true /dev/null >/dev/null 2>&1") == 0;
}

TEST_F(ConvertCliTest, ProgressOnATerminalOnly) {
    if (!pseudoTerminals()) {
        GTEST_SKIP() << "no pseudo-terminal can be made here";
    }
    std::string command = "faketime '2030-01-02 10:00:00' " + quoted(CLI_EXECUTABLE);
    for (const auto& arg : directCredit("dcp/eleven.txt")) {
        command += " " + quoted(arg);
    }
    writeFile(scratch / "run.sh", command + " >/dev/null\n");
    std::string terminal = "script -qec 'sh " + (scratch / "run.sh").string() + "' /dev/null > " +
                           quoted((scratch / "tty.txt").string());
    ASSERT_EQ(std::system(terminal.c_str()), 0);
    std::string shown = readFile(scratch / "tty.txt");
    EXPECT_EQ(shown.rfind("\rConverting ", 0), 0u) << shown;
    EXPECT_NE(shown.find("\rConverting 100 %\r\033[K"), std::string::npos) << shown;
}

TEST_F(ConvertCliTest, ProgressLineIsRewrittenInPlace) {
    std::ostringstream out;
    std::ostringstream progress;
    {
        cli::CliOperator op(out, out, &progress);
        for (int percent : {1, 1, 50, 100, 0}) {
            op.setProgress(percent);
        }
        op.showMessage("done");
    }
    EXPECT_EQ(progress.str(), "\rConverting 1 %\rConverting 50 %\rConverting 100 %\r\033[K");
    EXPECT_EQ(out.str(), "done\n");
}

TEST_F(ConvertCliTest, ExitStatusTellsHowTheRunEnded) {
    Outcome rejected = runProcess(directCredit("dcp/all_rejected.txt"), scratch.path());
    EXPECT_EQ(rejected.status, 1);
    EXPECT_EQ(rejected.out, "Reformat data fail because data are rejected all transactions\n");

    Outcome stopped = runProcess(directCredit("dcp/yesterday.txt"), scratch.path());
    EXPECT_EQ(stopped.status, 1);
    EXPECT_EQ(stopped.out, "EFFECTIVE-DATE should be today or future date\n");

    Outcome failed = runProcess(directCredit("dcp/bad_count.txt"), scratch.path());
    EXPECT_EQ(failed.status, 2);
    EXPECT_EQ(failed.out, "");
    EXPECT_EQ(failed.err, "error: '12A45' is not a valid integer value (line 1)\n");

    Outcome noCompany = runProcess({"convert", "--home", home.home().string()}, scratch.path());
    EXPECT_EQ(noCompany.status, 1);
    EXPECT_EQ(noCompany.out, "Please insert company id\n");
}

TEST_F(ConvertCliTest, UsageErrors) {
    auto usage = [](std::vector<std::string> args) {
        Outcome outcome = runInProcess(std::move(args));
        EXPECT_EQ(outcome.status, 64) << outcome.out;
        EXPECT_EQ(outcome.err.rfind("error: ", 0), 0u) << outcome.err;
    };
    usage({"convert", "--product", "XYZ"});
    usage({"convert", "--company", "THIRTEEN-CHAR"});
    usage({"convert", "--debit", std::string(26, '1')});
    usage({"convert", "--company", "\xF0\x9F\x98\x80"});
    usage({"convert", "--fee", "12345\n67896"});
    EXPECT_EQ(runInProcess({"convert", "--company", "THIRTEEN-CHAR"}).err,
              "error: --company: the text is longer than 12 characters\n");
    usage({"convert", "--unknown"});
    usage({"convert", "--report", "report.pdf"});
    usage({});
}

TEST_F(ConvertCliTest, DisabledProductOnlyWhenItIsTheDefault) {
    writeFile(home.home() / "Data" / "Default.ini", "[ReFormat]\r\nDCP=false\r\nDefault=PAY\r\n");
    Outcome disabled = runInProcess(directCredit("dcp/eleven.txt"));
    EXPECT_EQ(disabled.status, 64);
    EXPECT_NE(disabled.err.find("DCP is disabled"), std::string::npos) << disabled.err;

    writeFile(home.home() / "Data" / "Default.ini", "[ReFormat]\r\nDCP=FALSE\r\nDefault=DCP\r\n");
    Outcome chosen = runProcess(directCredit("dcp/eleven.txt"), scratch.path());
    EXPECT_EQ(chosen.status, 0) << chosen.err;
}

TEST_F(ConvertCliTest, VerifyReportsProblemsByLine) {
    writeFile(home.out("broken.txt"), crlfLines({std::string(40, 'A'), "001short"}));
    Outcome outcome = runInProcess({"verify", home.out("broken.txt").string()});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.out.find("line 2: record 001 is 8 characters long, not 96"), std::string::npos)
        << outcome.out;
    EXPECT_NE(outcome.out.find("line 1: the digest line does not match"), std::string::npos) << outcome.out;
}

TEST_F(ConvertCliTest, ReportThatWouldOverwriteAFileOfTheRunOrHasNoFolderIsAUsageError) {
    fs::copy_file(testData("dcp/eleven.txt"), home.out("source.json"));
    fs::create_directory(home.out("folder.json"));
    for (const char* name : {"source.json", "bank.txt", "ACME01_DCP_InvalidAcctRecord.txt",
                             "2030-01-02ACME01_DCP.zip", "missing/report.json", "folder.json"}) {
        auto args = directCredit("dcp/eleven.txt");
        args[10] = home.out("source.json").string();
        args.insert(args.end(), {"--report", home.out(name).string()});
        Outcome outcome = runProcess(args, scratch.path());
        EXPECT_EQ(outcome.status, 64) << name;
        EXPECT_EQ(outcome.err.rfind("error: --report: ", 0), 0u) << outcome.err;
        EXPECT_EQ(outcome.out, "") << name;
        EXPECT_EQ(std::distance(fs::directory_iterator(home.out("")), fs::directory_iterator()), 2)
            << "only the source and the folder are in the folder";
    }
}

TEST_F(ConvertCliTest, RunIntoAFolderAnotherProcessHoldsIsRefusedAtOnce) {
    RunLock held(home.out("").string());
    Outcome outcome = runProcess(directCredit("dcp/eleven.txt"), scratch.path());
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.out, std::string(kDestinationBusy) + "\n");
    EXPECT_TRUE(fs::is_empty(home.out("")));
}

TEST_F(ConvertCliTest, VerifyRefusesWhatIsNotARegularFile) {
    ASSERT_EQ(mkfifo(home.out("pipe").c_str(), 0600), 0);
    for (const fs::path& file : {home.out("pipe"), home.out("")}) {
        Outcome outcome = runInProcess({"verify", file.string()});
        EXPECT_EQ(outcome.status, 64);
        EXPECT_EQ(outcome.err, "error: BANKFILE: " + file.string() + " is not a regular file\n");
        EXPECT_EQ(outcome.out, "");
    }
}

}  // namespace
}  // namespace convertor::test

namespace convertor::test {
namespace {

TEST_F(ConvertCliTest, HtmlReportIsRenderedFromItsTemplate) {
    auto args = directCredit("dcp/eleven.txt");
    args.insert(args.end(), {"--report", home.out("report.html").string()});
    Outcome outcome = runProcess(args, scratch.path());
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    std::string html = readFile(home.out("report.html"));
    EXPECT_NE(html.find("SAMPLE TRADING CO LTD"), std::string::npos);
    EXPECT_NE(html.find(readFile(home.out("bank.txt")).substr(0, 40)), std::string::npos) << "the Hash Value";

    // Without its template the report is still written: the empty report.
    std::filesystem::remove(home.home() / "Report" / "rptResult.frf");
    outcome = runProcess(args, scratch.path());
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(readFile(home.out("report.html")).find("SAMPLE TRADING"), std::string::npos);
}

}  // namespace
}  // namespace convertor::test

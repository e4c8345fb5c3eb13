#include <sys/stat.h>

#include <algorithm>
#include <fstream>
#include <functional>

#include "cli/FaultCliFixture.h"
#include "output/RunLock.h"

// Every output of a run, the report included, goes in place in one commit or not at all; what
// cannot be an output is refused before anything is written.
namespace convertor::test {
namespace {

class CommitCliTest : public FaultCliTest {
protected:
    // The run's arguments with another destination.
    std::vector<std::string> toDest(const fs::path& source, const std::string& destination,
                                    std::vector<std::string> more = {}) const {
        std::vector<std::string> args = directCredit(source, std::move(more));
        *(std::find(args.begin(), args.end(), "--dest") + 1) = destination;
        return args;
    }
    fs::path input() { return source("new.txt", directCreditSource(20, 2)); }
    // The folder's files; the archive's bytes left out, as they hold the time it was packed.
    Folder files() const {
        Folder all = folder();
        for (auto& [name, bytes] : all) {
            bytes = name.ends_with(".zip") ? std::string() : bytes;
        }
        return all;
    }
};

TEST_F(CommitCliTest, TheReportIsWrittenAsAnOutputWhateverStandsBesideIt) {
    const fs::path report = dest / "report.json";
    struct Case {
        const char* what;
        std::function<void()> setUp;
        fs::path destination;
    };
    const Case cases[] = {
        {"a file at the report's old work name", [&] { writeFile(dest / "report.json.part", "mine"); },
         dest / "bank.txt"},
        {"a link there", [&] { fs::create_symlink(home.in("target.txt"), dest / "report.json.part"); },
         dest / "bank.txt"},
        {"the destination named so", [] {}, dest / "report.json.part"},
    };
    // A report name as long as names go still has room for its work name.
    const fs::path longReport = dest / (std::string(245, 'r') + ".json");
    EXPECT_EQ(run(directCredit(input(), {"--report", longReport.string()})).status, 0);
    EXPECT_TRUE(fs::exists(longReport));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(dest);
        fs::create_directories(dest);
        writeFile(home.in("target.txt"), "untouched");
        c.setUp();
        const CliOutcome outcome = run(toDest(input(), c.destination, {"--report", report.string()}));
        EXPECT_EQ(outcome.status, 0) << outcome.out << outcome.err;
        EXPECT_NE(readFile(report).find("\"template\""), std::string::npos);
        EXPECT_TRUE(fs::exists(c.destination));
        EXPECT_EQ(readFile(home.in("target.txt")), "untouched");
        if (c.destination == dest / "bank.txt") {
            EXPECT_EQ(readFile(dest / "report.json.part"),
                      fs::is_symlink(dest / "report.json.part") ? "untouched" : "mine");
        }
    }
}

TEST_F(CommitCliTest, ACommitThatFailsOrIsKilledPartWayIsUndoneOrFinished) {
    const fs::path source = input();
    olderRun();
    ASSERT_EQ(run(directCredit(source)).status, 0);
    const Folder newer = files();
    for (int at = 1; at <= 4; ++at) {
        SCOPED_TRACE("rename " + std::to_string(at));
        const std::string number = std::to_string(at);
        const Folder older = olderRun();
        const CliOutcome failed = run(directCredit(source), 0, "env CONVERTOR_TEST_COMMIT_FAIL_AT=" + number);
        EXPECT_EQ(failed.status, 2) << failed.err;
        EXPECT_EQ(folder(), older) << "every file back, nothing of the program left";

        olderRun();
        const CliOutcome killed =
            run(directCredit(source), 0, "env CONVERTOR_TEST_COMMIT_KILL_AFTER=" + number);
        EXPECT_NE(killed.status, 0);
        EXPECT_TRUE(fs::exists(dest / ".convertor-commit"));
        // The next start of the program finishes the commit.
        run({"convert", "--home", home.home().string()});
        EXPECT_EQ(files(), newer);
    }
}

TEST_F(CommitCliTest, OutputsThatCannotBeWrittenAreRefusedBeforeAnything) {
    const fs::path source = input();
    const Folder before = olderRun();
    const std::string database = readFile(home.database());
    const std::string longName = std::string(240, 'b') + ".txt";
    struct Case {
        std::string dest;
        std::function<void()> setUp;
        const char* message;
    };
    const Case cases[] = {
        {home.database().string(), [] {}, "Destination file name must not name a file the program keeps"},
        {(home.home() / "Data" / "Default.ini").string(), [] {},
         "Destination file name must not name a file"},
        {(home.home() / "Report" / "rptResult.frf").string(), [] {},
         "Destination file name must not name a file"},
        {CLI_EXECUTABLE, [] {}, "Destination file name must not name a file"},
        {(dest / ".convertor-work-bank").string(), [] {}, "Destination file name must not name a file"},
        {(dest / "a\\..\\..\\evil.txt").string(), [] {}, "Destination file name must not hold a backslash"},
        {(dest / "two\nlines.txt").string(), [] {}, "Destination file name must not hold a backslash"},
        {(dest / "\xff\xfe.txt").string(), [] {}, "Destination file name must not hold a backslash"},
        {(dest / "bank.txt").string(),
         [&] { fs::create_directory(dest / "ACME01_DCP_InvalidAcctRecord.txt"); }, "The file "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dest);
        c.setUp();
        const CliOutcome outcome = run(toDest(source, c.dest));
        EXPECT_EQ(outcome.status, 1) << outcome.err;
        EXPECT_EQ(outcome.out.rfind(c.message, 0), 0u) << outcome.out;
        fs::remove(dest / "ACME01_DCP_InvalidAcctRecord.txt");
        EXPECT_EQ(folder(), before);
        EXPECT_EQ(readFile(home.database()), database);
    }
    // Work names are short: a destination name as long as names go still has room for them.
    EXPECT_EQ(run(toDest(source, (dest / longName).string())).status, 0);
}

TEST_F(CommitCliTest, ReadOnlyOutputsAreRefusedAndKept) {
    const std::string asUser = asUnprivilegedUser();
    if (asUser == "-") {
        GTEST_SKIP() << "runs as root and neither setpriv nor runuser can drop to another user";
    }
    const fs::path source = input();
    olderRun();
    giveToUnprivilegedUser(home.home());
    for (const auto& [name, bytes] : folder()) {
        SCOPED_TRACE(name);
        fs::permissions(dest / name, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
        const Folder before = folder();
        const CliOutcome outcome = run(directCredit(source), 0, asUser);
        EXPECT_EQ(outcome.status, 1) << outcome.out << outcome.err;
        EXPECT_NE(outcome.out.find("read-only"), std::string::npos) << outcome.out;
        EXPECT_EQ(folder(), before);
        fs::permissions(dest / name, fs::perms::owner_write, fs::perm_options::add);
    }
    // A report folder this user may not write fails the run before anything is in place.
    const Folder before = folder();
    const fs::path reports = scratch.path() / "reports";
    fs::create_directories(reports);
    const CliOutcome outcome =
        run(directCredit(source, {"--report", (reports / "r.json").string()}), 0, asUser);
    EXPECT_EQ(outcome.status, 2) << outcome.out << outcome.err;
    EXPECT_EQ(folder(), before);
    EXPECT_TRUE(fs::is_empty(reports));
}

TEST_F(CommitCliTest, FilesOfTheProgramThatAreNotRegularAreNotOpened) {
    const fs::path source = input();
    olderRun();
    const fs::path settings = home.home() / "Data" / "Default.ini";
    fs::remove(settings);
    ASSERT_EQ(::mkfifo(settings.c_str(), 0600), 0);
    CliOutcome outcome = run(directCredit(source), 0, "timeout 20");
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(outcome.err, "error: The settings file " + settings.string() + " is not a regular file\n");
    fs::remove(settings);

    // A template that is there but cannot be read warns as a missing one does.
    fs::remove(home.home() / "Report" / "rptResult.frf");
    fs::create_directory(home.home() / "Report" / "rptResult.frf");
    outcome = run(directCredit(source, {"--report", (dest / "report.html").string()}));
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.err, "warning: report template " + (home.home() / "Report" / "rptResult.frf").string() +
                               " cannot be read\n");
}

TEST_F(CommitCliTest, ASecondRunOnTheSameReportIsRefused) {
    const fs::path reports = home.home() / "reports";
    fs::create_directories(reports);
    RunLock held(reports.string());
    const CliOutcome outcome = run(directCredit(input(), {"--report", (reports / "report.json").string()}));
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.out, std::string(kReportFolderBusy) + "\n");
    EXPECT_TRUE(fs::is_empty(reports));
    EXPECT_TRUE(fs::is_empty(dest));
}

// The peak memory /usr/bin/time wrote, in KiB: its last line (a first one tells an exit status).
long peakKiB(const fs::path& file) {
    std::string text = readFile(file);
    text.erase(text.find_last_not_of('\n') + 1);
    return std::stol(text.substr(text.find_last_of('\n') + 1));
}

// A line that never ends is counted, not held: memory stays flat in the run and in verify.
TEST_F(CommitCliTest, AnEndlessLineTakesNoMoreMemory) {
    if (std::system("test -x /usr/bin/time") != 0) {
        GTEST_SKIP() << "needs /usr/bin/time";
    }
    constexpr std::size_t kLine = 256u << 20;
    const std::string header = directCreditSource(0);
    {
        std::ofstream out(home.in("long.txt"), std::ios::binary);
        out << header;
        const std::string block(1 << 20, 'x');
        for (std::size_t written = 0; written < kLine; written += block.size()) {
            out << block;
        }
    }
    const fs::path peak = scratch.path() / "peak.txt";
    const std::string timed = "/usr/bin/time -f %M -o " + peak.string();
    CliOutcome outcome = run(directCredit(home.in("long.txt")), 0, timed);
    EXPECT_EQ(outcome.status, 1) << outcome.err;
    EXPECT_LT(peakKiB(peak), 64 * 1024) << "KiB";

    {
        std::ofstream out(dest / "bank.txt", std::ios::binary);
        out << std::string(40, '0') << "\r\n";
        const std::string block(1 << 20, 'x');
        for (std::size_t written = 0; written < kLine; written += block.size()) {
            out << block;
        }
    }
    outcome = run({"verify", (dest / "bank.txt").string()}, 0, timed);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.out.find("line 2: the line is "), std::string::npos) << outcome.out.substr(0, 200);
    EXPECT_LT(peakKiB(peak), 64 * 1024) << "KiB";
}

}  // namespace
}  // namespace convertor::test

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <functional>
#include <map>
#include <thread>

#include "cli/FaultCliFixture.h"

namespace fs = std::filesystem;

namespace convertor::test {
namespace {

TEST_F(FaultCliTest, ReadOnlyDestinationFolder) {
    std::string asUser = asUnprivilegedUser();
    if (asUser == "-") {
        GTEST_SKIP() << "runs as root and neither setpriv nor runuser can drop to another user";
    }
    Folder before = olderRun();
    fs::path input = source("new.txt", directCreditSource(20));
    giveToUnprivilegedUser(home.home());
    fs::permissions(dest, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const CliOutcome outcome = run(directCredit(input), 0, asUser);
    // Writable again, so that the temporary folder can go.
    fs::permissions(dest, fs::perms::owner_write, fs::perm_options::add);
    expectFailedLeavingNothing(outcome, before, "Cannot create a work file for " + dest.string());
    EXPECT_EQ(readFile(input), directCreditSource(20));
}

// The bank file outgrows the limit; its rejection file (none) and archive are not reached.
TEST_F(FaultCliTest, DiskFullWhileTheBankFileIsWritten) {
    Folder before = olderRun();
    fs::path input = source("new.txt", directCreditSource(400));
    expectFailedLeavingNothing(run(directCredit(input), 16), before,
                               "Cannot write file " + (dest / "bank.txt").string() + ": File too large");
    EXPECT_EQ(readFile(input), directCreditSource(400));
}

std::string mediaClearingSource() {
    return withFutureDate(readFile(testData("mcl/mixed.txt")));
}

// The table database broken in each way a Media Clearing run (which writes tables) can meet.
TEST_F(FaultCliTest, BrokenTableDatabase) {
    const std::string asUser = asUnprivilegedUser();
    const fs::path db = home.database();
    const std::string cannotOpen = "Cannot open the table database " + db.string();
    struct Case {
        const char* name;
        std::function<void()> breakIt;
        std::string error;
    };
    const std::vector<Case> cases{
        {"missing", [&] { fs::remove(db); }, cannotOpen},
        {"not a database", [&] { writeFile(db, std::string(8192, 'x')); }, cannotOpen},
        {"read-only", [&] { fs::permissions(db, fs::perms::owner_write, fs::perm_options::remove); },
         "Cannot empty the table Mcl_Detail: attempt to write a readonly database"},
    };
    const fs::path input = source("mcl.txt", mediaClearingSource());
    const std::vector<std::string> args{"convert",
                                        "--product",
                                        "MCL",
                                        "--company",
                                        "C0001",
                                        "--source",
                                        input.string(),
                                        "--dest",
                                        (dest / "bank.txt").string(),
                                        "--home",
                                        home.home().string(),
                                        "--print-detail"};
    const std::string seed = readFile(db);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (std::string(c.name) == "read-only" && asUser == "-") {
            std::cout << "skipped: runs as root and cannot drop to another user\n";
            continue;
        }
        writeFile(db, seed);
        fs::permissions(db, fs::perms::owner_write, fs::perm_options::add);
        for (const auto& entry : fs::directory_iterator(dest)) {
            fs::remove(entry.path());
        }
        ASSERT_EQ(run(args).status, 0);
        const Folder before = folder();
        c.breakIt();
        giveToUnprivilegedUser(home.home());
        const std::string broken = fs::exists(db) ? readFile(db) : "";
        expectFailedLeavingNothing(run(args, 0, asUser == "-" ? "" : asUser), before, c.error);
        EXPECT_EQ(fs::exists(db) ? readFile(db) : "", broken);
        EXPECT_EQ(readFile(input), mediaClearingSource());
    }
}

// Without Report/ the run still succeeds as it would with it and writes its report, and warns
// that the template is missing.
TEST_F(FaultCliTest, MissingReportFolder) {
    const fs::path input = source("new.txt", directCreditSource(4, 1));
    for (const char* name : {"report.html", "report.json"}) {
        SCOPED_TRACE(name);
        fs::create_directories(scratch / "with");
        const CliOutcome with = run(directCredit(input, {"--report", (scratch / "with" / name).string()}));
        ASSERT_EQ(with.status, 0) << with.err;
        EXPECT_EQ(withoutHistoryWarnings(with.err), "");
        fs::rename(home.home() / "Report", scratch / "Report");
        const CliOutcome without = run(directCredit(input, {"--report", (scratch / name).string()}));
        fs::rename(scratch / "Report", home.home() / "Report");
        EXPECT_EQ(without.status, 0);
        EXPECT_EQ(without.out, with.out);
        EXPECT_EQ(withoutHistoryWarnings(without.err),
                  "warning: report template " + (home.home() / "Report" / "rptResult.frf").string() +
                      " is missing\n");
        EXPECT_TRUE(fs::file_size(scratch / name) > 0);
    }
}

// A zvb.db that cannot be written: the run is as it would be, and says once that its history is
// not kept.
TEST_F(FaultCliTest, ReadOnlyHistory) {
    const std::string asUser = asUnprivilegedUser();
    if (asUser == "-") {
        GTEST_SKIP() << "runs as root and neither setpriv nor runuser can drop to another user";
    }
    const fs::path input = source("new.txt", directCreditSource(4, 1));
    const CliOutcome writable = run(directCreditArgs(input, dest / "first.txt", home.home()));
    ASSERT_EQ(writable.status, 0) << writable.err;
    giveToUnprivilegedUser(home.home());
    fs::permissions(home.database(), fs::perms::owner_write, fs::perm_options::remove);
    const std::string tables = readFile(home.database());
    std::vector<std::string> refused = directCreditArgs(input, dest / "second.txt", home.home());
    refused.push_back("--no-repeat");
    const CliOutcome readOnly = run(refused, 0, asUser);
    EXPECT_EQ(readOnly.status, 1) << "the history is read: the repeat is still refused";
    const CliOutcome other =
        run(directCreditArgs(source("other.txt", directCreditSource(5, 1)), dest / "second.txt", home.home()),
            0, asUser);
    EXPECT_EQ(other.status, 0) << other.err;
    EXPECT_EQ(other.out.rfind("Reformat data and add to ", 0), 0u) << other.out;
    EXPECT_EQ(other.err.rfind("warning: the run history could not be kept: ", 0), 0u) << other.err;
    EXPECT_EQ(std::count(other.err.begin(), other.err.end(), '\n'), 1) << other.err;
    EXPECT_EQ(readFile(home.database()), tables);
    EXPECT_EQ(run({"verify", (dest / "second.txt").string()}).status, 0);
}

// A run of a large source started as a child process, for faults that strike while it runs.
class LargeRun {
public:
    // closedStdout: standard output is a pipe nobody reads.
    LargeRun(const std::vector<std::string>& args, const fs::path& scratch, bool closedStdout = false) {
        int pipeEnds[2] = {-1, -1};
        if (closedStdout && ::pipe(pipeEnds) == 0) {
            ::close(pipeEnds[0]);
        }
        std::vector<std::string> argv{CLI_EXECUTABLE};
        argv.insert(argv.end(), args.begin(), args.end());
        const std::string out = (scratch / "large-stdout.txt").string();
        const std::string err = (scratch / "large-stderr.txt").string();
        m_pid = ::fork();
        if (m_pid == 0) {
            std::vector<char*> raw;
            for (auto& arg : argv) {
                raw.push_back(arg.data());
            }
            raw.push_back(nullptr);
            int outFd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            int errFd = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            ::dup2(closedStdout ? pipeEnds[1] : outFd, 1);
            ::dup2(errFd, 2);
            ::execv(raw[0], raw.data());
            ::_exit(127);
        }
        if (pipeEnds[1] >= 0) {
            ::close(pipeEnds[1]);
        }
    }
    ~LargeRun() {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            wait();
        }
    }
    // The exit status, or -1 when a signal ended it.
    int wait() {
        int status = 0;
        ::waitpid(m_pid, &status, 0);
        m_pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    // Whether it was still running when killed.
    bool kill(int signal = SIGKILL) {
        bool running = ::waitpid(m_pid, nullptr, WNOHANG) == 0;
        ::kill(m_pid, signal);
        return running;
    }

private:
    pid_t m_pid = -1;
};

class LargeFaultCliTest : public FaultCliTest {
protected:
    static void SetUpTestSuite() { s_source = new std::string(directCreditSource(200000)); }
    static void TearDownTestSuite() { delete s_source; }
    static const std::string& large() { return *s_source; }
    // Names of the folder's files with the bank file's bytes: what the rule lets a killed run leave.
    std::pair<std::vector<std::string>, std::string> visible() const {
        std::vector<std::string> names;
        for (const auto& [name, bytes] : folder()) {
            if (name.rfind(".convertor-", 0) != 0) {
                names.push_back(name);
            }
        }
        return {names, fs::exists(dest / "bank.txt") ? readFile(dest / "bank.txt") : ""};
    }
    void expectVerified() {
        const CliOutcome verify = run({"verify", (dest / "bank.txt").string()});
        EXPECT_EQ(verify.status, 0) << verify.out;
    }

    static std::string* s_source;
};
std::string* LargeFaultCliTest::s_source = nullptr;

// The source removed while the run reads it: the open file is still read to its end.
TEST_F(LargeFaultCliTest, SourceRemovedMidRun) {
    const Folder before = olderRun();
    const fs::path input = source("large.txt", large());
    LargeRun running(directCredit(input), scratch.path());
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    fs::remove(input);
    const int status = running.wait();
    if (status == 0) {
        expectVerified();
        EXPECT_FALSE(workFilesIn(dest));
    } else {
        EXPECT_EQ(status, 2);
        EXPECT_EQ(folder(), before);
    }
}

// Interrupted, a run ends as an error does, with the folder as it was; a reader of its messages
// that goes away changes nothing of what it does.
TEST_F(LargeFaultCliTest, InterruptsAndAClosedOutput) {
    const Folder before = olderRun();
    const fs::path input = source("large.txt", large());
    for (int signal : {SIGINT, SIGTERM}) {
        LargeRun running(directCredit(input), scratch.path());
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        ASSERT_TRUE(running.kill(signal)) << "the run ended before the signal";
        EXPECT_EQ(running.wait(), 2);
        EXPECT_EQ(readFile(scratch.path() / "large-stderr.txt"), "error: interrupted\n");
        EXPECT_EQ(folder(), before);
    }
    LargeRun closed(directCredit(source("small.txt", directCreditSource(5))), scratch.path(), true);
    EXPECT_EQ(closed.wait(), 0);
    EXPECT_EQ(readFile(scratch.path() / "large-stderr.txt"),
              "warning: standard output could not be written\n");
}

// Killed at many points of a large run, packing included, the folder shows files of the older run
// or of the whole new one, never a half-written bank file, and the next run succeeds and clears
// what the killed ones left.
TEST_F(LargeFaultCliTest, KilledAtManyPoints) {
    olderRun();
    const auto older = visible();
    const fs::path input = source("large.txt", large());
    // The shortest of three runs: a run slowed by other work on the machine would put the later
    // kills past the end of a quicker run.
    auto whole = std::chrono::steady_clock::duration::max();
    for (int i = 0; i < 3; ++i) {
        const auto start = std::chrono::steady_clock::now();
        ASSERT_EQ(run(directCredit(input)).status, 0);
        whole = std::min(whole, std::chrono::steady_clock::now() - start);
    }
    const auto newer = visible();
    // Back to the older outputs, so that each kill has something to keep.
    olderRun();
    int killedRunning = 0;
    // Early while reading, then on to the packing at the end, and past it.
    for (double share : {0.05, 0.3, 0.6, 0.85, 0.95, 1.1}) {
        const auto delay = std::chrono::duration_cast<std::chrono::milliseconds>(whole * share);
        SCOPED_TRACE("killed after " + std::to_string(delay.count()) + " ms");
        LargeRun running(directCredit(input), scratch.path());
        std::this_thread::sleep_for(delay);
        killedRunning += running.kill() ? 1 : 0;
        running.wait();
        // The next start of the program finishes or undoes a commit the kill cut short: the folder
        // then shows the files of one run, the older or the newer, and never half a bank file.
        run({"convert", "--home", home.home().string()});
        const auto now = visible();
        EXPECT_TRUE(now == older || now == newer)
            << now.first.size() << " files, " << now.second.size() << " bytes of bank file, older "
            << older.second.size() << ", newer " << newer.second.size();
    }
    EXPECT_GE(killedRunning, 3);
    const CliOutcome last = run(directCredit(input));
    EXPECT_EQ(last.status, 0) << last.err;
    EXPECT_EQ(visible(), newer);
    EXPECT_FALSE(workFilesIn(dest));
    expectVerified();
}

// A run killed while it writes its table rows leaves no history row, and the next run's history
// opens and is written.
TEST_F(LargeFaultCliTest, KilledRunLeavesNoHalfHistoryRow) {
    const fs::path input = source("large.txt", large());
    const CliOutcome first = run(directCredit(source("small.txt", directCreditSource(4, 1))));
    ASSERT_EQ(first.status, 0) << first.err;
    long rows = 1;
    for (int delay : {100, 250}) {
        SCOPED_TRACE(delay);
        LargeRun running(directCredit(input, {"--print-detail"}), scratch.path());
        std::this_thread::sleep_for(std::chrono::milliseconds(delay));
        rows += running.kill() ? 0 : 1;  // a run that ended before the kill has its row
        const CliOutcome history = run({"history", "--home", home.home().string(), "--json"});
        EXPECT_EQ(history.status, 0) << history.err;
        EXPECT_EQ(std::count(history.out.begin(), history.out.end(), '\n'), rows) << history.out;
    }
    const CliOutcome next = run(directCredit(source("next.txt", directCreditSource(6, 1))));
    EXPECT_EQ(next.status, 0) << next.err;
    const CliOutcome history = run({"history", "--home", home.home().string(), "--json"});
    EXPECT_EQ(std::count(history.out.begin(), history.out.end(), '\n'), rows + 1) << history.out;
}

}  // namespace
}  // namespace convertor::test

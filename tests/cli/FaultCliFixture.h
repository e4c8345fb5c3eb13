#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "support/TestSupport.h"

namespace convertor::test {

namespace fs = std::filesystem;

using Folder = std::map<std::string, std::string>;

// A Direct Credit source of count lines, effective far ahead so that no date is faked; the first
// zeroAmounts of them are rejected.
inline std::string directCreditSource(int count, int zeroAmounts = 0) {
    char header[80];
    std::snprintf(header, sizeof header, "H00000000000000%-30s  311299%05d", "SAMPLE TRADING CO LTD",
                  std::min(count, 99999));
    std::string bytes = std::string(header) + "\r\n";
    bytes.reserve(bytes.size() + static_cast<std::size_t>(count) * 90);
    for (int i = 0; i < count; ++i) {
        char amount[12];
        std::snprintf(amount, sizeof amount, "%011d", i < zeroAmounts ? 0 : 1 + i % 9999999);
        bytes +=
            "12345678960000000" + std::string(amount) + "Somchai Example" + std::string(45, ' ') + "\r\n";
    }
    return bytes;
}

// The command that runs the program as an unprivileged user, or empty when the tests do not run
// as root (then permissions already bind) or no such command exists.
inline std::string asUnprivilegedUser() {
    if (::geteuid() != 0) {
        return "";
    }
    if (std::system("command -v setpriv >/dev/null 2>&1") == 0) {
        return "setpriv --reuid=65534 --regid=65534 --clear-groups";
    }
    if (std::system("command -v runuser >/dev/null 2>&1") == 0) {
        return "runuser -u nobody --";
    }
    return "-";
}

inline void giveToUnprivilegedUser(const fs::path& dir) {
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(dir.c_str(), 65534, 65534), 0);
        for (const auto& entry : fs::recursive_directory_iterator(dir)) {
            ASSERT_EQ(::lchown(entry.path().c_str(), 65534, 65534), 0);
        }
    }
}

// Faults from outside the program: whatever the run meets, it either completes or leaves the
// destination folder and its inputs exactly as they were, and says which.
class FaultCliTest : public ::testing::Test {
protected:
    std::vector<std::string> directCredit(const fs::path& source, std::vector<std::string> more = {}) const {
        std::vector<std::string> args = directCreditArgs(source, dest / "bank.txt", home.home());
        args.insert(args.end(), more.begin(), more.end());
        return args;
    }
    CliOutcome run(const std::vector<std::string>& args, int fileSizeBlocks = 0,
                   const std::string& asUser = "") {
        return runCliProcess(args, scratch.path(), "", fileSizeBlocks, asUser);
    }
    Folder folder() const {
        Folder files;
        for (const auto& entry : fs::directory_iterator(dest)) {
            files[entry.path().filename().string()] = readFile(entry.path());
        }
        return files;
    }
    void expectFailedLeavingNothing(const CliOutcome& outcome, const Folder& before,
                                    const std::string& error) {
        EXPECT_EQ(outcome.status, 2) << outcome.out << outcome.err;
        EXPECT_EQ(withoutHistoryWarnings(outcome.err).rfind("error: " + error, 0), 0u) << outcome.err;
        EXPECT_EQ(outcome.out.find("completed"), std::string::npos) << outcome.out;
        EXPECT_EQ(outcome.err.find(".convertor-work-"), std::string::npos) << outcome.err;
        EXPECT_EQ(folder(), before);
    }
    // A first run that leaves a bank file, rejection file and archive for the faulty one to keep.
    Folder olderRun() {
        CliOutcome older = run(directCredit(source("older.txt", directCreditSource(4, 1))));
        EXPECT_EQ(older.status, 0) << older.out << older.err;
        Folder before = folder();
        EXPECT_EQ(before.size(), 3u);
        return before;
    }
    fs::path source(const std::string& name, const std::string& bytes) const {
        writeFile(home.in(name), bytes);
        return home.in(name);
    }

    TestHome home;
    TempDir scratch;
    fs::path dest = home.out("");
};

}  // namespace convertor::test

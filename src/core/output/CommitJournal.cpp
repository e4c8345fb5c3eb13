#include "output/CommitJournal.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <sstream>

#include "base/ConversionError.h"
#include "output/RunLock.h"

namespace fs = std::filesystem;

namespace convertor {

namespace {

using Steps = std::vector<CommitJournal::Step>;

constexpr const char* kHeader = "convertor-commit 1";
constexpr const char* kEnd = "end";

// Paths go into the journal as hexadecimal, whatever bytes they hold.
std::string hex(const std::string& bytes) {
    static const char* digits = "0123456789abcdef";
    std::string text;
    for (unsigned char c : bytes) {
        text += digits[c >> 4];
        text += digits[c & 15];
    }
    return text.empty() ? "-" : text;
}

std::optional<std::string> unhex(const std::string& text) {
    if (text == "-") {
        return std::string();
    }
    if (text.size() % 2 != 0) {
        return std::nullopt;
    }
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); i += 2) {
        auto value = [](char c) { return c >= 'a' ? c - 'a' + 10 : c - '0'; };
        bytes += static_cast<char>(value(text[i]) * 16 + value(text[i + 1]));
    }
    return bytes;
}

fs::path folderOf(const fs::path& file) {
    return file.parent_path().empty() ? fs::path(".") : file.parent_path();
}

std::vector<fs::path> foldersOf(const Steps& steps) {
    std::vector<fs::path> folders;
    for (const auto& step : steps) {
        fs::path folder = fs::absolute(folderOf(step.target)).lexically_normal();
        if (std::find(folders.begin(), folders.end(), folder) == folders.end()) {
            folders.push_back(folder);
        }
    }
    return folders;
}

bool present(const fs::path& file) {
    std::error_code error;
    return fs::exists(fs::symlink_status(file, error));
}

void syncFolder(const fs::path& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// The pending note of a commit whose first folder is folder.
fs::path noteOf(const fs::path& pendingFolder, const fs::path& folder) {
    std::uint64_t hash = 1469598103934665603ull;
    for (char c : folder.string()) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    }
    char name[32];
    std::snprintf(name, sizeof name, "commit-%016llx", static_cast<unsigned long long>(hash));
    return pendingFolder / name;
}

void writeSynced(const fs::path& file, const std::string& text, const std::string& shown) {
    int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    bool written = fd >= 0 && ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size()) &&
                   ::fsync(fd) == 0;
    int error = errno;
    if (fd >= 0) {
        ::close(fd);
    }
    if (!written) {
        std::error_code ignored;
        fs::remove(file, ignored);
        errno = error;
        throw IoError("Cannot write file " + shown + ": " + std::strerror(errno));
    }
}

std::string journalText(const Steps& steps) {
    std::string text = std::string(kHeader) + "\n";
    for (const auto& step : steps) {
        text += hex(step.work.string()) + " " + hex(step.target.string()) + " " + hex(step.backup.string()) +
                " " + hex(step.shown) + "\n";
    }
    return text + kEnd + "\n";
}

// The steps of a whole journal; none for a journal cut short, which no rename followed.
std::optional<Steps> readJournal(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    if (!std::getline(in, line) || line != kHeader) {
        return std::nullopt;
    }
    Steps steps;
    while (std::getline(in, line)) {
        if (line == kEnd) {
            return steps;
        }
        std::istringstream fields(line);
        std::string work, target, backup, shown;
        fields >> work >> target >> backup >> shown;
        auto w = unhex(work), t = unhex(target), b = unhex(backup), s = unhex(shown);
        if (!w || !t || !b || !s || t->empty() || b->empty()) {
            return std::nullopt;
        }
        steps.push_back({*w, *t, *b, *s});
    }
    return std::nullopt;
}

// What a test sets to stop a commit part-way: SIGKILL after so many renames, or a failure at one.
struct TestHooks {
    long killAfter = -1;
    long failAt = -1;
    long renames = 0;

    TestHooks() {
        if (const char* kill = std::getenv("CONVERTOR_TEST_COMMIT_KILL_AFTER")) {
            killAfter = std::atol(kill);
        }
        if (const char* fail = std::getenv("CONVERTOR_TEST_COMMIT_FAIL_AT")) {
            failAt = std::atol(fail);
        }
    }
};

bool renamed(const fs::path& from, const fs::path& to, TestHooks* hooks) {
    if (hooks != nullptr && ++hooks->renames == hooks->failAt) {
        errno = EIO;
        return false;
    }
    if (::rename(from.c_str(), to.c_str()) != 0) {
        return false;
    }
    if (hooks != nullptr && hooks->renames == hooks->killAfter) {
        std::raise(SIGKILL);
    }
    return true;
}

// Every step forward from wherever it stands: the older target to its backup, the new file onto
// the target. Throws IoError at the first rename that fails.
void forward(const Steps& steps, TestHooks* hooks) {
    for (const auto& step : steps) {
        const bool pending = step.work.empty() || present(step.work);
        if (pending && present(step.target) && !present(step.backup) &&
            !renamed(step.target, step.backup, hooks)) {
            throw IoError("Cannot put " + step.shown + " in place: " + std::strerror(errno));
        }
        if (!step.work.empty() && present(step.work) && !renamed(step.work, step.target, hooks)) {
            throw IoError("Cannot put " + step.shown + " in place: " + std::strerror(errno));
        }
    }
}

// Every step back, last first: a new file back to its work name, the older target back in
// place. False when a rename fails.
bool backward(const Steps& steps) {
    bool all = true;
    for (auto step = steps.rbegin(); step != steps.rend(); ++step) {
        if (!step->work.empty() && !present(step->work) && present(step->target)) {
            all = ::rename(step->target.c_str(), step->work.c_str()) == 0 && all;
        }
        if (present(step->backup)) {
            all = ::rename(step->backup.c_str(), step->target.c_str()) == 0 && all;
        }
    }
    return all;
}

void forget(const Steps& steps, const fs::path& pendingFolder, bool done) {
    const auto folders = foldersOf(steps);
    for (const fs::path& folder : folders) {
        syncFolder(folder);
    }
    std::error_code ignored;
    if (done) {
        for (const auto& step : steps) {
            fs::remove(step.backup, ignored);
        }
    }
    for (const fs::path& folder : folders) {
        fs::remove(folder / CommitJournal::kJournalName, ignored);
    }
    if (!pendingFolder.empty() && !folders.empty()) {
        fs::remove(noteOf(pendingFolder, folders.front()), ignored);
    }
    for (const fs::path& folder : folders) {
        syncFolder(folder);
    }
}

// Finishes or undoes the steps of a journal found after a kill.
void finishOrUndo(const Steps& steps, const fs::path& pendingFolder) {
    try {
        forward(steps, nullptr);
        forget(steps, pendingFolder, true);
    } catch (const IoError& error) {
        if (!backward(steps)) {
            throw IoError(std::string(error.what()) +
                          "; the files of the interrupted run stay under their work names");
        }
        forget(steps, pendingFolder, false);
    }
}

}  // namespace

void CommitJournal::commit(const std::vector<Step>& steps, const fs::path& pendingFolder) {
    const auto folders = foldersOf(steps);
    const std::string text = journalText(steps);
    std::vector<fs::path> written;
    try {
        if (!pendingFolder.empty() && !folders.empty()) {
            std::error_code ignored;
            fs::create_directories(pendingFolder, ignored);
            writeSynced(noteOf(pendingFolder, folders.front()), hex(folders.front().string()) + "\n",
                        steps.front().shown);
        }
        for (const fs::path& folder : folders) {
            writeSynced(folder / kJournalName, text, steps.front().shown);
            written.push_back(folder);
            syncFolder(folder);
        }
    } catch (...) {
        forget(steps, pendingFolder, false);
        throw;
    }
    TestHooks hooks;
    try {
        forward(steps, &hooks);
    } catch (const IoError&) {
        if (backward(steps)) {
            forget(steps, pendingFolder, false);
        }
        throw;
    }
    forget(steps, pendingFolder, true);
}

void CommitJournal::recover(const fs::path& folder, const fs::path& pendingFolder) {
    const fs::path journal = folder / kJournalName;
    if (!present(journal)) {
        return;
    }
    std::optional<Steps> steps = readJournal(journal);
    if (!steps) {
        std::error_code ignored;
        fs::remove(journal, ignored);
        return;
    }
    finishOrUndo(*steps, pendingFolder);
}

void CommitJournal::recoverPending(const fs::path& pendingFolder) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(pendingFolder, error)) {
        std::string name = entry.path().filename().string();
        if (name.rfind("commit-", 0) != 0) {
            continue;
        }
        std::ifstream in(entry.path());
        std::string line;
        std::getline(in, line);
        std::optional<std::string> folder = unhex(line);
        std::error_code ignored;
        if (!folder || !present(fs::path(*folder) / kJournalName)) {
            fs::remove(entry.path(), ignored);
            continue;
        }
        RunLock lock(*folder);
        if (lock.busy()) {
            continue;
        }
        try {
            recover(*folder, pendingFolder);
            fs::remove(entry.path(), ignored);
        } catch (const IoError&) {
            // Stays noted: the next start tries again.
        }
    }
}

}  // namespace convertor

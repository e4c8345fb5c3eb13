#include "convert/DataDirectory.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <system_error>

#include "refdata/Schema.h"

namespace fs = std::filesystem;

namespace convertor {

namespace {

// access() rather than the mode bits: it answers for this process, so root (who may write a
// read-only folder) and a read-only mount both come out right.
bool writable(const fs::path& path) {
    return ::access(path.c_str(), W_OK) == 0;
}

// The folder and every file in it: SQLite opens a read-only zvb.db read-only and fails on the
// first write, in a folder that may well be writable.
bool writableFolder(const fs::path& folder) {
    if (!writable(folder)) {
        return false;
    }
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(folder, error); !error && it != fs::end(it);
         it.increment(error)) {
        if (!writable(it->path())) {
            return false;
        }
    }
    return !error;
}

// Copies one file without ever replacing what is there, and without leaving half a file behind:
// the copy goes to a temporary name first, then is linked in under its real name, which fails
// rather than overwrites when another process got there first.
bool copyIfMissing(const fs::path& from, const fs::path& to) {
    std::error_code error;
    if (fs::exists(to, error)) {
        return true;
    }
    fs::path temp = to.parent_path() / ("." + to.filename().string() + ".part" + std::to_string(::getpid()));
    bool done = fs::copy_file(from, temp, fs::copy_options::overwrite_existing, error);
    if (done) {
        // The copy takes the delivered file's mode, read-only in an install; the user's copy is
        // there to be written.
        fs::permissions(temp, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, error);
        done = !error;
    }
    if (done) {
        fs::create_hard_link(temp, to, error);
        if (error && error != std::errc::file_exists) {
            // A file system without hard links: a rename, which is still all or nothing.
            error.clear();
            if (!fs::exists(to, error) && !error) {
                fs::rename(temp, to, error);
            }
        }
        done = !error || error == std::errc::file_exists;
    }
    fs::remove(temp, error);
    return done;
}

// Copies the delivered folder whole, keeping every file the user already has.
bool makeUserCopy(const fs::path& delivered, const fs::path& user) {
    std::error_code error;
    fs::create_directories(user, error);
    if (error) {
        return false;
    }
    for (auto it = fs::recursive_directory_iterator(delivered, error); !error && it != fs::end(it);
         it.increment(error)) {
        fs::path target = user / fs::relative(it->path(), delivered);
        if (it->is_directory()) {
            fs::create_directories(target, error);
        } else if (it->is_regular_file() && !copyIfMissing(it->path(), target)) {
            return false;
        }
    }
    return !error;
}

}  // namespace

fs::path userDataHome() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && fs::path(xdg).is_absolute()) {
        return xdg;
    }
    const char* home = std::getenv("HOME");
    if (!home || !*home) {
        const passwd* entry = ::getpwuid(::getuid());
        home = entry ? entry->pw_dir : "/";
    }
    return fs::path(home) / ".local" / "share";
}

fs::path dataDirectory(const fs::path& home) {
    fs::path delivered = home / "Data";
    return dataDirectory(home, writableFolder(delivered));
}

fs::path dataDirectory(const fs::path& home, bool deliveredWritable) {
    fs::path delivered = home / "Data";
    std::error_code error;
    if (deliveredWritable || !fs::is_directory(delivered, error)) {
        return delivered;
    }
    fs::path user = userDataHome() / "convertor" / "Data";
    // Should the copy fail (a full disk, no home folder), the delivered tables can still be read,
    // and the first write reports why it cannot be made.
    return makeUserCopy(delivered, user) ? user : delivered;
}

fs::path settingsFile(const fs::path& home) {
    return dataDirectory(home) / "Default.ini";
}

fs::path databaseFile(const fs::path& home) {
    return dataDirectory(home) / schema::kDatabaseFile;
}

fs::path reportDirectory(const fs::path& home) {
    return home / "Report";
}

}  // namespace convertor

#include "convert/Session.h"

#include "base/ConversionError.h"
#include "convert/DataDirectory.h"
#include "output/CommitJournal.h"

namespace fs = std::filesystem;

namespace convertor {

namespace {

const SystemClock kSystemClock;

}  // namespace

Session::Session(fs::path home)
    : m_home(std::move(home)), m_tables(databaseFile(m_home)), m_clock(&kSystemClock) {
    try {
        settings = loadReformatSettings(settingsFile(m_home));
    } catch (const ConversionError& error) {
        m_problem = error.what();
    }
    CommitJournal::recoverPending(pendingCommits());
}

fs::path Session::pendingCommits() const {
    return dataDirectory(m_home) / "commits";
}

std::vector<fs::path> Session::programFiles() const {
    std::vector<fs::path> files{settingsFile(m_home), databaseFile(m_home)};
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(reportDirectory(m_home), error)) {
        files.push_back(entry.path());
    }
    fs::path program = fs::read_symlink("/proc/self/exe", error);
    if (!error) {
        files.push_back(program);
    }
    return files;
}

}  // namespace convertor

#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "base/Clock.h"
#include "products/ReformatSettings.h"
#include "refdata/TableStore.h"

namespace convertor {

// What outlives a run: the directory of the program, the settings read once from its
// Data/Default.ini, the tables of its Data/zvb.db (opened on first use, then kept open) and the
// clock. Nothing of one run carries over to the next through it but the table rows. One run at a
// time uses a session, on one thread.
class Session {
public:
    // Reads the settings and finishes or undoes the commits a kill interrupted. A settings file
    // that is there but cannot be taken is not an error here: every run refuses to start then.
    explicit Session(std::filesystem::path home);
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    const std::filesystem::path& home() const { return m_home; }
    TableStore& tables() { return m_tables; }
    // The machine's local date unless a test gives another clock, which must outlive its use.
    const Clock& clock() const { return *m_clock; }
    void setClock(const Clock& clock) { m_clock = &clock; }
    // Why no run may start (the settings file is not a file that can be read), if anything.
    const std::optional<std::string>& problem() const { return m_problem; }
    // Where a run notes its commit until it is done.
    std::filesystem::path pendingCommits() const;
    // The files a run reads besides its inputs, and the program itself: no output may name them.
    std::vector<std::filesystem::path> programFiles() const;

    ReformatSettings settings;

private:
    std::filesystem::path m_home;
    TableStore m_tables;
    const Clock* m_clock;
    std::optional<std::string> m_problem;
};

}  // namespace convertor

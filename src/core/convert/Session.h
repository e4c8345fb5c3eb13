#pragma once

#include <filesystem>

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
    explicit Session(std::filesystem::path home);
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    const std::filesystem::path& home() const { return m_home; }
    TableStore& tables() { return m_tables; }
    // The machine's local date unless a test gives another clock, which must outlive its use.
    const Clock& clock() const { return *m_clock; }
    void setClock(const Clock& clock) { m_clock = &clock; }

    ReformatSettings settings;

private:
    std::filesystem::path m_home;
    TableStore m_tables;
    const Clock* m_clock;
};

}  // namespace convertor

#pragma once

#include <array>
#include <string>

#include "bankfile/Rejection.h"
#include "output/RejectionFiles.h"

namespace convertor {

class RunOutputs;
class TableStore;

// The rejections of a run: a line in the kind's rejection file for each, the kind's flag raised,
// the count and last line number of each kind for the run summary, and with "Print detail" a
// Dcp_Err row (not for Manager Cheque).
class RejectionLog {
public:
    // rows is null when no table rows are to be kept.
    RejectionLog(const RunOutputs& outputs, TableStore* rows);

    void logRejection(const RejectionEntry& entry);

    const RejectionFlags& flags() const { return m_flags; }
    long count(RejectionKind kind) const { return m_counts[static_cast<int>(kind)]; }
    const std::string& lastLine(RejectionKind kind) const { return m_lastLines[static_cast<int>(kind)]; }
    // Slot 7 adds the counts of all four kinds.
    RunSummary runSummary() const;

private:
    RejectionFiles m_files;
    TableStore* m_rows;
    RejectionFlags m_flags;
    std::array<long, 4> m_counts{};
    std::array<std::string, 4> m_lastLines;
    std::string m_line;  // reused
};

// Empties Dcp_Err at the start of the detail lines of a "Print detail" run.
void clearRejectionTable(TableStore& tables);

}  // namespace convertor

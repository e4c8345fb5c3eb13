#pragma once

#include <string>

#include "bankfile/RejectionLog.h"

namespace convertor {

class TableStore;

// The Dcp_Err rows of a "Print detail" run, one per rejection the log reports.
class RejectionTable : public RejectionSink {
public:
    explicit RejectionTable(TableStore& tables) : m_tables(tables) {}

    void addRejectionRow(const std::string& lineNumber, const RejectionEntry& entry) override;

private:
    TableStore& m_tables;
};

// Empties Dcp_Err at the start of the detail lines of a "Print detail" run.
void clearRejectionTable(TableStore& tables);

}  // namespace convertor

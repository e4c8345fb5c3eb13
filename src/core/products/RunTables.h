#pragma once

#include <initializer_list>

namespace convertor {

class TableStore;

// The working-table rows of one run go in one transaction. It is committed on every way out:
// the rows of the lines converted before a stop stay, as the operator expects to see them.
class RunTables {
public:
    // An inactive run touches no table (a run without "Print detail" that looks nothing up).
    explicit RunTables(TableStore& tables, bool active = true);
    ~RunTables();
    RunTables(const RunTables&) = delete;
    RunTables& operator=(const RunTables&) = delete;

    // Empties the tables in the order given.
    void clear(std::initializer_list<const char*> tables);
    void commit();

private:
    TableStore& m_tables;
    bool m_open;
};

}  // namespace convertor

#include "products/RunTables.h"

#include "refdata/TableStore.h"

namespace convertor {

RunTables::RunTables(TableStore& tables, bool active) : m_tables(tables), m_open(active) {
    if (m_open) {
        m_tables.beginRun();
    }
}

RunTables::~RunTables() {
    if (m_open) {
        try {
            m_tables.endRun();
        } catch (...) {
            // The error that ended the run is the one to show.
        }
    }
}

void RunTables::clear(std::initializer_list<const char*> tables) {
    for (const char* table : tables) {
        m_tables.clearTable(table);
    }
}

void RunTables::commit() {
    if (m_open) {
        m_open = false;
        m_tables.endRun();
    }
}

}  // namespace convertor

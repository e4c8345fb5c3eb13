#include "products/RejectionTable.h"

#include "refdata/Schema.h"
#include "refdata/TableStore.h"

namespace convertor {

void RejectionTable::addRejectionRow(const std::string& lineNumber, const RejectionEntry& entry) {
    m_tables.appendRow(schema::rejection::kTable, {{schema::rejection::kLineNo, lineNumber},
                                                   {schema::rejection::kFieldName, entry.fieldName},
                                                   {schema::rejection::kColumnNo, entry.colNo},
                                                   {schema::rejection::kDescription, entry.desErr}});
}

void clearRejectionTable(TableStore& tables) {
    tables.clearTable(schema::rejection::kTable);
}

}  // namespace convertor

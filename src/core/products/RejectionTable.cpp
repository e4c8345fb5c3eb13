#include "products/RejectionTable.h"

#include "refdata/Schema.h"
#include "refdata/TableStore.h"

namespace convertor {

void RejectionTable::addRejectionRow(const std::string& lineNumber, const RejectionEntry& entry) {
    m_tables.appendRow(schema::DcpErr, {{schema::LnNo, lineNumber},
                                        {schema::FieldName, entry.fieldName},
                                        {schema::ColNo, entry.colNo},
                                        {schema::DesErr, entry.desErr}});
}

void clearRejectionTable(TableStore& tables) {
    tables.clearTable(schema::DcpErr);
}

}  // namespace convertor

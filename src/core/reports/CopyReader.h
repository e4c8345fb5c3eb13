#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "refdata/TableValue.h"
#include "reports/CopyDatabase.h"

namespace convertor {

class QueryCursor;
class ReportCopy;

// One thread's way into a report's copy: any run of a dataset's rows, the children of one parent
// row, every row in order. Keeps the copy while it reads it.
class CopyReader {
public:
    using Rows = std::vector<std::vector<TableValue>>;

    explicit CopyReader(std::shared_ptr<const ReportCopy> copy);
    ~CopyReader();
    CopyReader(const CopyReader&) = delete;
    CopyReader& operator=(const CopyReader&) = delete;

    const ReportCopy& copy() const { return *m_copy; }
    CopyDatabase& database() { return m_db; }

    // Rows [first, first + count) of a dataset, 0-based (fewer past its end), into the slots of rows.
    void readRows(std::size_t dataset, std::size_t first, std::size_t count, Rows& rows);
    // The child rows of a parent row under a link, in their dataset's order.
    void readChildren(std::size_t link, std::size_t parentRow, Rows& rows);

    // Every row of a dataset in order, over a connection of the cursor's own.
    static std::unique_ptr<QueryCursor> openDataset(std::shared_ptr<const ReportCopy> copy,
                                                    std::size_t dataset);

private:
    CopyStatement& statement(std::vector<std::unique_ptr<CopyStatement>>& slots, std::size_t index,
                             const std::string& sql);

    std::shared_ptr<const ReportCopy> m_copy;
    CopyDatabase m_db;
    std::vector<std::unique_ptr<CopyStatement>> m_rowReads;    // per dataset
    std::vector<std::unique_ptr<CopyStatement>> m_childReads;  // per link
};

}  // namespace convertor

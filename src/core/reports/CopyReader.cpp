#include "reports/CopyReader.h"

#include "refdata/TableStore.h"
#include "reports/ReportCopy.h"

namespace convertor {

namespace {

void readInto(CopyStatement& read, std::size_t width, CopyReader::Rows& rows) {
    std::size_t count = 0;
    while (read.step()) {
        if (count == rows.size()) {
            rows.emplace_back();
        }
        read.readRow(rows[count++], width);
    }
    rows.resize(count);
    read.reset();
}

class CopyCursor : public QueryCursor {
public:
    CopyCursor(std::shared_ptr<const ReportCopy> copy, std::size_t dataset)
        : m_copy(std::move(copy)),
          m_db(m_copy->file(), false),
          m_columns(m_copy->datasets()[dataset].columns),
          m_read(m_db.prepare("SELECT " + ReportCopy::valueColumns(m_columns.size()) + " FROM " +
                              ReportCopy::table(dataset) + " ORDER BY rowid")) {}

    const std::vector<std::string>& columns() const override { return m_columns; }
    bool next() override {
        if (m_done || !m_read.step()) {
            m_done = true;
            return false;
        }
        m_read.readRow(m_row, m_columns.size());
        return true;
    }
    const std::vector<TableValue>& row() const override { return m_row; }

private:
    std::shared_ptr<const ReportCopy> m_copy;
    CopyDatabase m_db;
    std::vector<std::string> m_columns;
    CopyStatement m_read;
    std::vector<TableValue> m_row;
    bool m_done = false;
};

}  // namespace

CopyReader::CopyReader(std::shared_ptr<const ReportCopy> copy)
    : m_copy(std::move(copy)),
      m_db(m_copy->file(), false),
      m_rowReads(m_copy->datasets().size()),
      m_childReads(m_copy->links().size()) {}

CopyReader::~CopyReader() = default;

CopyStatement& CopyReader::statement(std::vector<std::unique_ptr<CopyStatement>>& slots, std::size_t index,
                                     const std::string& sql) {
    if (!slots[index]) {
        slots[index] = std::make_unique<CopyStatement>(m_db.prepare(sql));
    }
    return *slots[index];
}

void CopyReader::readRows(std::size_t dataset, std::size_t first, std::size_t count, Rows& rows) {
    const std::size_t width = m_copy->datasets()[dataset].columns.size();
    CopyStatement& read =
        statement(m_rowReads, dataset,
                  "SELECT " + ReportCopy::valueColumns(width) + " FROM " + ReportCopy::table(dataset) +
                      " WHERE rowid BETWEEN ? AND ? ORDER BY rowid");
    read.bindNumber(1, static_cast<long long>(first) + 1);
    read.bindNumber(2, static_cast<long long>(first + count));
    readInto(read, width, rows);
}

void CopyReader::readChildren(std::size_t link, std::size_t parentRow, Rows& rows) {
    const std::size_t child = m_copy->childOf(link);
    const std::size_t width = m_copy->datasets()[child].columns.size();
    CopyStatement& read = statement(
        m_childReads, link,
        "SELECT " + ReportCopy::valueColumns(width) + " FROM " + ReportCopy::table(child) + " WHERE " +
            ReportCopy::childKey(link) + " = (SELECT " + ReportCopy::parentKey(link) + " FROM " +
            ReportCopy::table(m_copy->parentOf(link)) + " WHERE rowid = ?) ORDER BY rowid");
    read.bindNumber(1, static_cast<long long>(parentRow) + 1);
    readInto(read, width, rows);
}

std::unique_ptr<QueryCursor> CopyReader::openDataset(std::shared_ptr<const ReportCopy> copy,
                                                     std::size_t dataset) {
    return std::make_unique<CopyCursor>(std::move(copy), dataset);
}

}  // namespace convertor

#include "reports/ReportCopy.h"

#include <unistd.h>

#include <cstdlib>
#include <system_error>

#include "base/ConversionError.h"
#include "refdata/TableStore.h"
#include "reports/CopyDatabase.h"
#include "reports/CopyReader.h"

namespace convertor {

namespace {

std::filesystem::path newFile(const std::filesystem::path& directory) {
    std::string name = (directory / "convertor-report-XXXXXX").string();
    const int fd = mkstemp(name.data());
    if (fd < 0) {
        throw IoError("Cannot make the report's copy in " + directory.string() + ": " +
                      std::generic_category().message(errno));
    }
    close(fd);
    return name;
}

std::optional<std::size_t> indexOf(const std::vector<ReportDataset>& datasets, const std::string& name) {
    for (std::size_t i = 0; i < datasets.size(); ++i) {
        if (datasets[i].name == name) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<std::size_t> columnOf(const std::vector<std::string>& columns, const std::string& key) {
    const std::vector<std::string> keys = uniqueColumnNames(columns);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (keys[i] == key) {
            return i;
        }
    }
    return std::nullopt;
}

}  // namespace

std::string ReportCopy::valueColumns(std::size_t count) {
    std::string names;
    for (std::size_t col = 0; col < count; ++col) {
        names += (col == 0 ? "c" : ", c") + std::to_string(col);
    }
    return names.empty() ? "NULL" : names;
}

std::shared_ptr<const ReportCopy> ReportCopy::make(const ReportValue& report,
                                                   const std::filesystem::path& directory) {
    std::shared_ptr<ReportCopy> copy(new ReportCopy);
    copy->m_file = newFile(directory);
    copy->m_shell.templateName = report.templateName;
    copy->m_shell.variables = report.variables;
    copy->m_shell.printedOn = report.printedOn;
    for (const auto& link : report.children) {
        const auto parent = indexOf(report.datasets, link.parent);
        const auto child = indexOf(report.datasets, link.child);
        if (parent && child) {
            copy->m_links.push_back(link);
            copy->m_linkDatasets.emplace_back(*parent, *child);
        }
    }
    copy->m_shell.children = copy->m_links;

    CopyDatabase db(copy->m_file, true);
    // A scratch file: nothing to recover after a crash, so no journal and no waiting for the disk.
    db.exec("PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; PRAGMA cache_size=-16384; BEGIN");
    for (std::size_t i = 0; i < report.datasets.size(); ++i) {
        copy->copyDataset(db, i, report.datasets[i]);
    }
    for (std::size_t link = 0; link < copy->m_links.size(); ++link) {
        const std::string child = table(copy->childOf(link));
        db.exec("CREATE INDEX " + child + "_" + childKey(link) + " ON " + child + " (" + childKey(link) +
                ")");
    }
    copy->countChildren(db);
    db.exec("COMMIT");
    return copy;
}

void ReportCopy::copyDataset(CopyDatabase& db, std::size_t index, const ReportDataset& dataset) {
    Dataset copied{dataset.name, dataset.columns, 0, ReportTable::Totals(dataset.columns.size())};
    const std::size_t width = dataset.columns.size();
    // The key texts each row is grouped by, as the report's tables group them.
    std::vector<std::pair<std::optional<std::size_t>, bool>> keys;  // column, a parent's key
    std::string names = valueColumns(width);
    for (std::size_t link = 0; link < m_links.size(); ++link) {
        if (childOf(link) == index) {
            keys.emplace_back(columnOf(dataset.columns, m_links[link].childKey), false);
            names += ", " + childKey(link);
        }
        if (parentOf(link) == index) {
            keys.emplace_back(columnOf(dataset.columns, m_links[link].parentKey), true);
            names += ", " + parentKey(link);
        }
    }
    db.exec("CREATE TABLE " + table(index) + " (" + names + ")");
    std::string params = "?";
    for (std::size_t i = 1; i < width + keys.size(); ++i) {
        params += ", ?";
    }
    CopyStatement insert = db.prepare("INSERT INTO " + table(index) + " VALUES (" + params + ")");

    std::vector<TableValue> values;
    std::vector<std::string> keyTexts(keys.size());
    for (auto cursor = dataset.open(); cursor->next();) {
        const std::vector<TableValue>& row = cursor->row();
        copied.totals.add(row);
        ++copied.rows;
        const std::vector<TableValue>* bound = &row;
        if (row.size() != width) {
            values.assign(width, TableValue{});
            std::copy_n(row.begin(), std::min(width, row.size()), values.begin());
            bound = &values;
        }
        insert.bind(*bound);
        for (std::size_t k = 0; k < keys.size(); ++k) {
            const auto& [column, parent] = keys[k];
            const int param = static_cast<int>(width + k + 1);
            if (column) {
                keyText(valueAt(row, *column), keyTexts[k]);
                insert.bindText(param, keyTexts[k]);
            } else if (parent) {
                keyTexts[k].clear();  // every parent then has the empty key
                insert.bindText(param, keyTexts[k]);
            } else {
                insert.bindNull(param);  // a child without its key column has no parent
            }
        }
        insert.run();
    }
    m_datasets.push_back(std::move(copied));
}

void ReportCopy::countChildren(CopyDatabase& db) {
    for (std::size_t link = 0; link < m_links.size(); ++link) {
        CopyStatement counts = db.prepare("SELECT (SELECT count(*) FROM " + table(childOf(link)) + " WHERE " +
                                          childKey(link) + " = p." + parentKey(link) + ") FROM " +
                                          table(parentOf(link)) + " AS p ORDER BY p.rowid");
        std::vector<std::uint32_t> perParent;
        perParent.reserve(m_datasets[parentOf(link)].rows);
        while (counts.step()) {
            perParent.push_back(static_cast<std::uint32_t>(counts.number(0)));
        }
        m_childCounts.push_back(std::move(perParent));
    }
}

ReportCopy::~ReportCopy() {
    std::error_code ignored;
    std::filesystem::remove(m_file, ignored);
}

std::optional<std::size_t> ReportCopy::datasetIndex(std::string_view name) const {
    for (std::size_t i = 0; i < m_datasets.size(); ++i) {
        if (m_datasets[i].name == name) {
            return i;
        }
    }
    return std::nullopt;
}

ReportValue ReportCopy::report() const {
    ReportValue value = m_shell;
    std::shared_ptr<const ReportCopy> self = shared_from_this();
    value.copy = self;
    for (std::size_t i = 0; i < m_datasets.size(); ++i) {
        ReportDataset dataset(m_datasets[i].name, m_datasets[i].columns);
        dataset.totals = std::make_shared<const ReportTable::Totals>(m_datasets[i].totals);
        dataset.source = [self, i] { return CopyReader::openDataset(self, i); };
        value.datasets.push_back(std::move(dataset));
    }
    return value;
}

}  // namespace convertor

#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "reports/ReportTable.h"
#include "reports/ReportValue.h"

namespace convertor {

class CopyDatabase;

// A report's dataset rows copied into a file of their own, so that the report outlives the run's
// tables (which the next run empties, and whose connection is the run's thread's) and any page of it
// can be read directly. A dataset keeps its row order (row n is rowid n + 1); under each child link
// the child rows carry their parent's key, indexed, and each parent row's count of children is
// kept here. Made once, then only read: every thread reads it through a CopyReader of its own.
// The file goes with the last owner.
class ReportCopy : public std::enable_shared_from_this<ReportCopy> {
public:
    struct Dataset {
        std::string name;
        std::vector<std::string> columns;  // as the source gives them
        std::size_t rows = 0;
        ReportTable::Totals totals;
    };

    // Reads every dataset of report once, in order, into a new file in directory. Throws
    // TableError (IoError for the file) and leaves no file behind. The report's own datasets may
    // read the run's tables: this runs on the thread that owns them.
    static std::shared_ptr<const ReportCopy> make(const ReportValue& report,
                                                  const std::filesystem::path& directory);
    ~ReportCopy();
    ReportCopy(const ReportCopy&) = delete;
    ReportCopy& operator=(const ReportCopy&) = delete;

    const std::filesystem::path& file() const { return m_file; }
    const std::vector<Dataset>& datasets() const { return m_datasets; }
    std::optional<std::size_t> datasetIndex(std::string_view name) const;
    // The report's links whose parent and child datasets are both here, in the report's order.
    const std::vector<ReportValue::ChildLink>& links() const { return m_links; }
    std::size_t parentOf(std::size_t link) const { return m_linkDatasets[link].first; }
    std::size_t childOf(std::size_t link) const { return m_linkDatasets[link].second; }
    // The number of children of each parent row under a link.
    const std::vector<std::uint32_t>& childCounts(std::size_t link) const { return m_childCounts[link]; }

    // The report again, its datasets read from this copy (which it keeps), their totals known.
    ReportValue report() const;

    // Column names in the file: a dataset's values, then its key under each link.
    static std::string table(std::size_t dataset) { return "d" + std::to_string(dataset); }
    static std::string childKey(std::size_t link) { return "child" + std::to_string(link); }
    static std::string parentKey(std::size_t link) { return "parent" + std::to_string(link); }
    static std::string valueColumns(std::size_t count);

private:
    ReportCopy() = default;
    void copyDataset(CopyDatabase& db, std::size_t index, const ReportDataset& dataset);
    void countChildren(CopyDatabase& db);

    std::filesystem::path m_file;
    ReportValue m_shell;  // the report without its datasets
    std::vector<Dataset> m_datasets;
    std::vector<ReportValue::ChildLink> m_links;
    std::vector<std::pair<std::size_t, std::size_t>> m_linkDatasets;  // parent, child
    std::vector<std::vector<std::uint32_t>> m_childCounts;
};

}  // namespace convertor

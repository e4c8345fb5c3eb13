#pragma once

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "refdata/TableValue.h"

namespace convertor {

class QueryCursor;
class ReportTable;

// The child rows of one parent row after another, for a pass over the parents. When the parents
// come in strictly rising key order and the children never fall in theirs, the children are read
// alongside, one group at a time; else they are held, grouped, for the whole pass.
class ChildGroups {
public:
    using Rows = std::span<const std::vector<TableValue>>;

    // keyColumn: the children's column holding their parent's key; without it no row has a parent.
    ChildGroups(const ReportTable& children, std::optional<std::size_t> keyColumn, bool parentsRise);
    ~ChildGroups();
    ChildGroups(const ChildGroups&) = delete;
    ChildGroups& operator=(const ChildGroups&) = delete;

    // The children of the parent of this key, valid until the next call. Read alongside, the keys
    // asked for must rise.
    Rows rowsOf(const std::string& key);

private:
    Rows mergedRowsOf(const std::string& key);

    const ReportTable& m_children;
    std::optional<std::size_t> m_keyColumn;
    bool m_merge = false;
    std::optional<std::unordered_map<std::string, std::vector<std::vector<TableValue>>>> m_held;
    std::unique_ptr<QueryCursor> m_cursor;
    bool m_pending = false;  // the cursor stands on a row not handed out yet
    std::vector<std::vector<TableValue>> m_group;
    std::string m_key;
};

}  // namespace convertor

#include "reports/ChildGroups.h"

#include "refdata/TableStore.h"
#include "reports/ReportTable.h"

namespace convertor {

ChildGroups::ChildGroups(const ReportTable& children, std::optional<std::size_t> keyColumn, bool parentsRise)
    : m_children(children),
      m_keyColumn(keyColumn),
      m_merge(keyColumn && parentsRise && children.keyOrder(keyColumn).neverFalls) {}

ChildGroups::~ChildGroups() = default;

ChildGroups::Rows ChildGroups::rowsOf(const std::string& key) {
    if (!m_keyColumn) {
        return {};
    }
    if (m_merge) {
        return mergedRowsOf(key);
    }
    if (!m_held) {
        m_held.emplace();
        for (auto cursor = m_children.open(); cursor->next();) {
            (*m_held)[keyText(valueAt(cursor->row(), *m_keyColumn))].push_back(cursor->row());
        }
    }
    const auto found = m_held->find(key);
    return found == m_held->end() ? Rows() : Rows(found->second);
}

ChildGroups::Rows ChildGroups::mergedRowsOf(const std::string& key) {
    if (!m_cursor) {
        m_cursor = m_children.open();
        m_pending = m_cursor->next();
    }
    // The rows of a group go into the slots of the last one, reusing what they hold.
    std::size_t size = 0;
    while (m_pending) {
        const std::vector<TableValue>& row = m_cursor->row();
        keyText(valueAt(row, *m_keyColumn), m_key);
        if (key < m_key) {
            break;
        }
        if (m_key == key) {
            if (size == m_group.size()) {
                m_group.push_back(row);
            } else {
                m_group[size] = row;
            }
            ++size;
        }
        m_pending = m_cursor->next();
    }
    return Rows(m_group.data(), size);
}

}  // namespace convertor

#include "maintenance/GridColumnSizer.h"

#include <QEvent>
#include <QHeaderView>
#include <QTableView>

#include <algorithm>

namespace convertor {

namespace {

constexpr int kThaiMarkRoom = 16;

}  // namespace

GridColumnSizer::GridColumnSizer(QTableView* grid)
    : QObject(grid), m_grid(grid), m_viewport(grid->viewport()) {
    m_grid->horizontalHeader()->setStretchLastSection(false);
    m_viewport->installEventFilter(this);
}

void GridColumnSizer::fitToContents() {
    m_grid->resizeColumnsToContents();
    const QHeaderView* header = m_grid->horizontalHeader();
    for (int column = 0; column < header->count(); ++column) {
        if (!header->isSectionHidden(column)) {
            m_grid->setColumnWidth(column, m_grid->columnWidth(column) + kThaiMarkRoom);
        }
    }
    const int last = lastShownColumn();
    m_lastContentWidth = last < 0 ? 0 : m_grid->columnWidth(last);
    fillToEdge();
}

int GridColumnSizer::lastShownColumn() const {
    const QHeaderView* header = m_grid->horizontalHeader();
    for (int visual = header->count() - 1; visual >= 0; --visual) {
        if (const int column = header->logicalIndex(visual); !header->isSectionHidden(column)) {
            return column;
        }
    }
    return -1;
}

void GridColumnSizer::fillToEdge() {
    const int last = lastShownColumn();
    if (last < 0) {
        return;
    }
    const int others = m_grid->horizontalHeader()->length() - m_grid->columnWidth(last);
    const int width = std::max(m_lastContentWidth, m_grid->viewport()->width() - others);
    if (width != m_grid->columnWidth(last)) {
        m_grid->setColumnWidth(last, width);
    }
}

bool GridColumnSizer::eventFilter(QObject* watched, QEvent* event) {
    // The viewport still sends events while the grid is being torn down; the grid is not asked
    // for anything until the event is a resize of the viewport we watch.
    if (event->type() == QEvent::Resize && watched == m_viewport) {
        fillToEdge();
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace convertor

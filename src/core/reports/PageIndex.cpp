#include "reports/PageIndex.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace convertor {

namespace {

// Heights add up in floating point: a band that fits but for rounding still fits.
constexpr double kSlack = 1e-6;

}  // namespace

PageIndex::PageIndex(std::vector<Item> items, double pageHeight)
    : m_items(std::move(items)), m_pageHeight(std::max(pageHeight, 1.0)) {
    Cursor cursor;
    do {
        m_starts.push_back(cursor);
        fill(cursor, nullptr);
    } while (cursor.item < m_items.size());
}

std::vector<PageIndex::Band> PageIndex::page(std::size_t index) const {
    std::vector<Band> bands;
    if (index < m_starts.size()) {
        Cursor cursor = m_starts[index];
        fill(cursor, &bands);
    }
    return bands;
}

std::size_t PageIndex::pageOf(const Cursor& position) const {
    const auto after = std::upper_bound(m_starts.begin(), m_starts.end(), position);
    return after == m_starts.begin() ? 0 : static_cast<std::size_t>(after - m_starts.begin()) - 1;
}

void PageIndex::fill(Cursor& cursor, std::vector<Band>* bands) const {
    double y = 0;
    bool fresh = true;  // nothing placed on the page yet
    while (cursor.item < m_items.size()) {
        const Item& item = m_items[cursor.item];
        if (item.table) {
            if (!fillTable(cursor, y, fresh, bands)) {
                return;
            }
            continue;
        }
        const double rest = item.height - cursor.from;
        const double space = m_pageHeight - y;
        if (rest <= space + kSlack) {
            if (rest > kSlack && bands) {
                bands->push_back({Band::Fixed, cursor, y, rest});
            }
            y += std::max(rest, 0.0);
            fresh = fresh && rest <= kSlack;
            cursor = Cursor{cursor.item + 1};
            continue;
        }
        if (!fresh && rest <= m_pageHeight + kSlack) {
            return;
        }
        if (bands) {
            bands->push_back({Band::Fixed, cursor, y, space});
        }
        cursor.from += space;
        return;
    }
}

bool PageIndex::fillTable(Cursor& cursor, double& y, bool& fresh, std::vector<Band>* bands) const {
    const Item& item = m_items[cursor.item];
    const double limit = m_pageHeight + kSlack;
    auto emit = [&](Band::Kind kind, const Cursor& at, double height) {
        if (bands) {
            bands->push_back({kind, at, y, height});
        }
        y += height;
    };
    auto header = [&] {
        for (std::size_t row = 0; row < item.header.size(); ++row) {
            Cursor at = cursor;
            at.row = row;
            emit(Band::Header, at, item.header[row]);
        }
    };
    if (cursor.phase == Cursor::Fixed || cursor.phase == Cursor::Title) {
        Cursor first{cursor.item, Cursor::Detail};
        double firstHeight = 0;
        if (item.rows > 0 && firstDetail(item, first)) {
            firstHeight = item.detail[first.detail].height;
        } else if (item.rows == 0 && !item.empty.empty()) {
            firstHeight = item.empty.front();
        } else if (!item.summary.empty()) {
            firstHeight = item.summary.front();
        }
        const double together = item.title + std::accumulate(item.header.begin(), item.header.end(), 0.0);
        if (!fresh && y + together + firstHeight > limit) {
            cursor = Cursor{cursor.item, Cursor::Title};
            return false;
        }
        emit(Band::Title, Cursor{cursor.item, Cursor::Title}, item.title);
        header();
        cursor = first;
        if (item.rows == 0) {
            cursor.phase = Cursor::Empty;
        } else if (first.row >= item.rows) {
            cursor = Cursor{cursor.item, Cursor::Summary};
        }
    } else {
        header();
    }
    fresh = false;
    bool any = false;  // a row placed on this page: a row taller than the page goes on one alone
    auto place = [&](Band::Kind kind, double height) {
        if (any && y + height > limit) {
            return false;
        }
        emit(kind, cursor, height);
        any = true;
        return true;
    };

    if (cursor.phase == Cursor::Detail) {
        if (item.detail.size() == 1 && !item.detail.front().link) {
            // One row per dataset row: as many as fit, worked out at once.
            const double height = item.detail.front().height;
            std::size_t fit = height > 0
                                  ? static_cast<std::size_t>(std::max(0.0, std::floor((limit - y) / height)))
                                  : item.rows - cursor.row;
            fit = std::min(std::max<std::size_t>(fit, 1), item.rows - cursor.row);
            if (bands) {
                for (std::size_t i = 0; i < fit; ++i, ++cursor.row) {
                    emit(Band::Detail, cursor, height);
                }
            } else {
                cursor.row += fit;
                y += static_cast<double>(fit) * height;
            }
            if (cursor.row < item.rows) {
                return false;
            }
        } else {
            do {
                if (!place(Band::Detail, item.detail[cursor.detail].height)) {
                    return false;
                }
            } while (nextDetail(item, cursor));
        }
        cursor = Cursor{cursor.item, Cursor::Summary};
        any = true;
    }
    if (cursor.phase == Cursor::Empty) {
        for (; cursor.row < item.empty.size(); ++cursor.row) {
            if (!place(Band::Empty, item.empty[cursor.row])) {
                return false;
            }
        }
        cursor = Cursor{cursor.item, Cursor::Summary};
    }
    for (; cursor.row < item.summary.size(); ++cursor.row) {
        if (!place(Band::Summary, item.summary[cursor.row])) {
            return false;
        }
    }
    cursor = Cursor{cursor.item + 1};
    return true;
}

std::size_t PageIndex::bandsOf(const Item& item, std::size_t row, std::size_t detail) const {
    const auto& link = item.detail[detail].link;
    return link ? (*item.counts[*link])[row] : 1;
}

bool PageIndex::firstDetail(const Item& item, Cursor& cursor) const {
    cursor.row = cursor.detail = cursor.child = 0;
    for (; cursor.row < item.rows; ++cursor.row, cursor.detail = 0) {
        for (; cursor.detail < item.detail.size(); ++cursor.detail) {
            if (bandsOf(item, cursor.row, cursor.detail) > 0) {
                return true;
            }
        }
    }
    return false;
}

bool PageIndex::nextDetail(const Item& item, Cursor& cursor) const {
    if (cursor.child + 1 < bandsOf(item, cursor.row, cursor.detail)) {
        ++cursor.child;
        return true;
    }
    cursor.child = 0;
    ++cursor.detail;
    for (; cursor.row < item.rows; ++cursor.row, cursor.detail = 0) {
        for (; cursor.detail < item.detail.size(); ++cursor.detail) {
            if (bandsOf(item, cursor.row, cursor.detail) > 0) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace convertor

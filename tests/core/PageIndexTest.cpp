#include <gtest/gtest.h>

#include <map>
#include <random>
#include <tuple>

#include "reports/PageIndex.h"

namespace convertor {
namespace {

using Band = PageIndex::Band;
using Cursor = PageIndex::Cursor;
using Item = PageIndex::Item;

Item fixed(double height) {
    Item item;
    item.height = height;
    return item;
}

// A table with a 20 high title, a 10 high header and summary, and 10 high rows.
Item table(std::size_t rows) {
    Item item;
    item.table = true;
    item.title = 20;
    item.header = {10};
    item.empty = {10};
    item.summary = {10};
    item.detail = {{10, std::nullopt}};
    item.rows = rows;
    return item;
}

// Checks what any index must hold, and gives the dataset rows of the table (item 1) page by page.
std::vector<std::vector<std::size_t>> rowsByPage(const PageIndex& index, double pageHeight) {
    std::vector<std::vector<std::size_t>> pages;
    for (std::size_t page = 0; page < index.pageCount(); ++page) {
        pages.emplace_back();
        double y = 0;
        const auto bands = index.page(page);
        EXPECT_FALSE(bands.empty()) << "page " << page;
        for (const Band& band : bands) {
            EXPECT_GE(band.y + 1e-9, y) << "bands overlap on page " << page;
            EXPECT_LE(band.y + band.height, pageHeight + 1e-6) << "past the bottom of page " << page;
            y = band.y + band.height;
            if (band.kind == Band::Detail) {
                pages.back().push_back(band.at.row);
                EXPECT_EQ(index.pageOf(band.at), page);
            }
        }
    }
    return pages;
}

TEST(PageIndex, RowsFillThePagesUnderARepeatedHeader) {
    struct Case {
        std::size_t rows;
        std::size_t pages;
        std::vector<std::size_t> perPage;
    };
    // Page height 100: the fixed part (40) and title, header (30) leave 3 rows on page 1; later
    // pages hold the header and 9 rows; the summary goes on with them, or alone under the header.
    const std::vector<Case> cases = {
        {0, 1, {}},          // "empty" row and summary on page 1
        {2, 1, {2}},         // and the summary below them
        {3, 2, {3, 0}},      // page 1 full of rows: the summary on a page of its own
        {11, 2, {3, 8}},     // the summary ends exactly at the second page's end
        {12, 3, {3, 9, 0}},  // one row more: the summary on a page of its own
        {13, 3, {3, 9, 1}},  // and one more goes with it
        {1000, 112, {}},
    };
    for (const Case& c : cases) {
        const PageIndex index({fixed(40), table(c.rows), fixed(0)}, 100);
        EXPECT_EQ(index.pageCount(), c.pages) << c.rows << " rows";
        const auto pages = rowsByPage(index, 100);
        std::size_t next = 0;
        for (std::size_t p = 0; p < pages.size(); ++p) {
            for (std::size_t row : pages[p]) {
                EXPECT_EQ(row, next++) << c.rows << " rows, page " << p;
            }
            if (p < c.perPage.size()) {
                EXPECT_EQ(pages[p].size(), c.perPage[p]) << c.rows << " rows, page " << p;
            }
            if (p > 0) {
                EXPECT_EQ(index.page(p).front().kind, Band::Header) << "page " << p;
            }
        }
        EXPECT_EQ(next, c.rows);
        EXPECT_EQ(index.page(index.pageCount() - 1).back().kind, Band::Summary) << c.rows << " rows";
    }
}

TEST(PageIndex, TitleStaysWithItsHeaderAndFirstRow) {
    // 75 of 100 taken: title, header and a row (40) do not fit below, so they start page 2.
    const PageIndex index({fixed(75), table(5), fixed(0)}, 100);
    ASSERT_EQ(index.pageCount(), 2u);
    ASSERT_EQ(index.page(0).size(), 1u);
    EXPECT_EQ(index.page(1).front().kind, Band::Title);
}

TEST(PageIndex, FixedPartTallerThanAPageIsSliced) {
    const PageIndex index({fixed(250), table(0), fixed(0)}, 100);
    ASSERT_EQ(index.pageCount(), 3u);
    const auto last = index.page(2);
    EXPECT_EQ(last.front().kind, Band::Fixed);
    EXPECT_DOUBLE_EQ(last.front().at.from, 200);
    EXPECT_DOUBLE_EQ(last.front().height, 50);
}

TEST(PageIndex, ChildRowsRunOverPageBreaks) {
    // A cheque row and one row per tax item under it: 0, 25 and 1 items.
    const std::vector<std::uint32_t> taxes = {0, 25, 1};
    Item cheques = table(3);
    cheques.detail = {{10, std::nullopt}, {10, 0}};
    cheques.counts = {&taxes};
    const PageIndex index({fixed(0), cheques, fixed(0)}, 100);
    const auto pages = rowsByPage(index, 100);
    std::map<std::pair<std::size_t, std::size_t>, std::size_t> seen;  // (row, detail) -> bands
    for (std::size_t p = 0; p < index.pageCount(); ++p) {
        for (const Band& band : index.page(p)) {
            if (band.kind == Band::Detail) {
                const auto key = std::make_pair(band.at.row, band.at.detail);
                EXPECT_EQ(band.at.child, band.at.detail == 1 ? seen[key] : 0u);
                ++seen[key];
            }
        }
    }
    EXPECT_EQ(seen[std::make_pair(std::size_t{1}, std::size_t{1})], 25u);
    EXPECT_EQ(seen[std::make_pair(std::size_t{0}, std::size_t{1})], 0u);
    EXPECT_EQ(seen[std::make_pair(std::size_t{2}, std::size_t{1})], 1u);
    // Row 1's items start on page 1 and run onto page 4 (7, 8, 8 and 2 per page).
    EXPECT_EQ(index.pageCount(), 4u);
    EXPECT_EQ(index.pageOf(Cursor{1, Cursor::Detail, 1, 1, 24}), 3u);
}

TEST(PageIndex, RowTallerThanAPageGoesOnAPageAlone) {
    Item item = table(3);
    item.detail = {{150, std::nullopt}};
    const PageIndex index({fixed(0), item, fixed(0)}, 100);
    const auto pages = rowsByPage(index, 1000);
    ASSERT_EQ(pages.size(), 4u);
    EXPECT_EQ(pages[0].size(), 1u);
    EXPECT_EQ(pages[2].size(), 1u);
}

// Layouts of every kind at random: each band is placed once, in the report's order, on the page
// pageOf names, the column header above a table's bands on every page they are on.
TEST(PageIndex, AnyLayoutPlacesEveryBandOnceInOrder) {
    std::mt19937 random(20);
    auto between = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    for (int layout = 0; layout < 300; ++layout) {
        SCOPED_TRACE("layout " + std::to_string(layout));
        const double pageHeight = between(100, 300);
        std::vector<std::vector<std::uint32_t>> counts(2);
        std::vector<Item> items = {fixed(between(0, 3) == 0 ? 0 : between(1, 400))};
        for (int t = 0; t < 2; ++t) {
            Item item = table(static_cast<std::size_t>(between(0, 3) == 0 ? 0 : between(1, 150)));
            item.title = between(10, 30);
            item.header.assign(static_cast<std::size_t>(between(1, 2)), between(8, 20));
            item.summary.assign(static_cast<std::size_t>(between(0, 2)), between(8, 20));
            item.detail = {{static_cast<double>(between(8, 30)), std::nullopt}};
            if (between(0, 1) == 1) {
                for (std::size_t r = 0; r < item.rows; ++r) {
                    counts[t].push_back(
                        static_cast<std::uint32_t>(between(0, 9) == 0 ? between(0, 40) : between(0, 3)));
                }
                item.detail.push_back({static_cast<double>(between(8, 20)), 0});
                item.counts = {&counts[t]};
            }
            items.push_back(item);
            items.push_back(fixed(between(0, 60)));
        }
        const PageIndex index(items, pageHeight);

        // What each item must show, in order: (kind, row, detail, child).
        using Key = std::tuple<int, std::size_t, std::size_t, std::size_t>;
        std::vector<std::vector<Key>> expected(items.size()), placed(items.size());
        std::vector<double> fixedShown(items.size(), 0);
        for (std::size_t i = 0; i < items.size(); ++i) {
            const Item& item = items[i];
            if (!item.table) {
                continue;
            }
            expected[i].emplace_back(Band::Title, 0, 0, 0);
            for (std::size_t r = 0; r < item.rows; ++r) {
                for (std::size_t d = 0; d < item.detail.size(); ++d) {
                    const std::size_t bands = item.detail[d].link ? (*item.counts[0])[r] : 1;
                    for (std::size_t c = 0; c < bands; ++c) {
                        expected[i].emplace_back(Band::Detail, r, d, c);
                    }
                }
            }
            for (std::size_t e = 0; item.rows == 0 && e < item.empty.size(); ++e) {
                expected[i].emplace_back(Band::Empty, e, 0, 0);
            }
            for (std::size_t e = 0; e < item.summary.size(); ++e) {
                expected[i].emplace_back(Band::Summary, e, 0, 0);
            }
        }
        for (std::size_t page = 0; page < index.pageCount(); ++page) {
            const auto bands = index.page(page);
            ASSERT_FALSE(bands.empty()) << "page " << page;
            double y = 0;
            std::vector<std::size_t> headers(items.size(), 0);
            for (const Band& band : bands) {
                ASSERT_GE(band.y + 1e-9, y) << "bands overlap on page " << page;
                ASSERT_LE(band.y + band.height, pageHeight + 1e-6) << "past the bottom of page " << page;
                y = band.y + band.height;
                const std::size_t i = band.at.item;
                if (band.kind == Band::Fixed) {
                    EXPECT_DOUBLE_EQ(band.at.from, fixedShown[i]) << "a slice missing before page " << page;
                    fixedShown[i] += band.height;
                    continue;
                }
                if (band.kind == Band::Header) {
                    EXPECT_EQ(band.at.row, headers[i]++) << "page " << page;
                    continue;
                }
                if (band.kind != Band::Title) {
                    EXPECT_EQ(headers[i], items[i].header.size()) << "no column header above, page " << page;
                }
                placed[i].emplace_back(band.kind, band.at.row, band.at.detail, band.at.child);
                EXPECT_EQ(index.pageOf(band.at), page);
            }
        }
        for (std::size_t i = 0; i < items.size(); ++i) {
            EXPECT_EQ(placed[i], expected[i]) << "item " << i;
            if (!items[i].table) {
                EXPECT_DOUBLE_EQ(fixedShown[i], items[i].height) << "item " << i;
            }
        }
    }
}

}  // namespace
}  // namespace convertor

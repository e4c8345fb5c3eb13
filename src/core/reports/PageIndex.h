#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace convertor {

// Where every band of a report falls on its pages, from the bands' heights and the row counts
// alone: no text is laid out, and page n is found without going through the pages before it.
// Bands never split: a table's title stays with its column header and first row, the column header
// is repeated on every page the rows run on, and a fixed part taller than a page is cut into
// slices. Heights are in the page's layout units.
class PageIndex {
public:
    // One part of the report, from the top down: a fixed part, or a table of dataset rows.
    struct Item {
        struct Detail {
            double height = 0;
            std::optional<std::size_t> link;  // one row per child under it (an index into counts)
        };

        bool table = false;
        double height = 0;  // a fixed part's
        double title = 0;
        std::vector<double> header, empty, summary;  // each row's height
        std::vector<Detail> detail;                  // the rows shown for each dataset row
        std::size_t rows = 0;
        std::vector<const std::vector<std::uint32_t>*> counts;  // per link, each dataset row's children
    };

    // Where the report stands at the top of a page, and the position of a band.
    struct Cursor {
        enum Phase { Fixed, Title, Detail, Empty, Summary };
        std::size_t item = 0;
        Phase phase = Fixed;
        std::size_t row = 0;     // Detail: the dataset row; Empty, Summary: which row
        std::size_t detail = 0;  // Detail: which detail row
        std::size_t child = 0;   // Detail under a link: which child
        double from = 0;         // Fixed: how far down the part the page starts

        auto operator<=>(const Cursor&) const = default;
    };

    struct Band {
        enum Kind { Fixed, Title, Header, Detail, Empty, Summary };
        Kind kind = Fixed;
        Cursor at;  // Header: row is which header row
        double y = 0;
        double height = 0;
    };

    // The items must outlive the index (it keeps the counts they point to).
    PageIndex(std::vector<Item> items, double pageHeight);

    std::size_t pageCount() const { return m_starts.size(); }
    std::vector<Band> page(std::size_t index) const;
    // The page a band of that position is on.
    std::size_t pageOf(const Cursor& position) const;
    const std::vector<Item>& items() const { return m_items; }

private:
    // Places the bands of one page from cursor on, into bands when given; the cursor then stands
    // where the next page starts.
    void fill(Cursor& cursor, std::vector<Band>* bands) const;
    bool fillTable(Cursor& cursor, double& y, bool& fresh, std::vector<Band>* bands) const;
    // Steps a cursor of the Detail phase to its next band; false past the last.
    bool nextDetail(const Item& item, Cursor& cursor) const;
    bool firstDetail(const Item& item, Cursor& cursor) const;
    std::size_t bandsOf(const Item& item, std::size_t row, std::size_t detail) const;

    std::vector<Item> m_items;
    double m_pageHeight;
    std::vector<Cursor> m_starts;
};

}  // namespace convertor

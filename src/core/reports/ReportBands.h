#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace convertor {

// A report template read as bands, so that any page can be painted without laying out the pages
// before it: the fixed parts, and for each table whose rows come from a dataset its title, column
// header rows, the rows repeated for each dataset row (and, under a child link, for each child
// row), the rows shown when the dataset is empty and the summary rows after them. Every part keeps
// its template text: the painted pages and the HTML come from the one template.
struct ReportBands {
    // One <tr> of the template.
    struct Row {
        std::string open;                // "<tr ...>"
        std::vector<std::string> cells;  // each "<td ...>...</td>" or "<th ...>...</th>" as written
        std::string contents;            // the cells' contents joined by kCellSeparator

        // The opening tag and the contents of cell i.
        std::string_view cellOpen(std::size_t i) const;
        std::string_view cellContents(std::size_t i) const;
    };

    // A row repeated for every row of the dataset (no link), or for every child row under a link.
    struct Detail {
        std::string link;
        Row row;
    };

    struct Section {
        std::string title;  // the <h2>...</h2> right before the table; may be empty
        std::string table;  // the <table ...> tag
        std::string dataset;
        std::vector<Row> header;  // in <thead>: repeated on every page the table runs on
        std::vector<Detail> detail;
        std::vector<Row> empty;    // {{^dataset}}
        std::vector<Row> summary;  // after the rows
    };

    // fixed[i] comes before sections[i], the last one after the last section.
    std::vector<std::string> fixed;
    std::vector<Section> sections;

    // Cannot come out of an escaped value, which has no '<'.
    static constexpr std::string_view kCellSeparator = "<\x1f>";

    // Nothing when the template has no table of dataset rows, or a dataset section that bands
    // cannot hold (outside such a table, inverted under a row, other delimiters): the report is
    // then paged as one document.
    static std::optional<ReportBands> read(std::string_view text, std::span<const char* const> datasets);
};

// What a browser shows of an HTML fragment: no tags, entities decoded, blanks run together, none
// at the ends. A no-break space stays.
std::string shownText(std::string_view html);

}  // namespace convertor

#pragma once

#include <atomic>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace convertor {

class CopyReader;

// Finds rows of a report's copy that show a text, by the copy's own select: a column shows a text
// when the text is in its value as the report prints it (numbers as money, or as they are for a
// column wanted raw), ASCII letters in any case. Runs on the reader's connection and thread; a
// search gives up, finding nothing, once cancel is set.
class CopySearch {
public:
    // A column as a band prints it.
    struct Column {
        std::size_t index = 0;
        bool raw = false;
    };

    explicit CopySearch(CopyReader& reader);
    ~CopySearch();
    CopySearch(const CopySearch&) = delete;
    CopySearch& operator=(const CopySearch&) = delete;

    // The first row, from row from on, of a dataset with a column showing text.
    std::optional<std::size_t> nextRow(std::size_t dataset, const std::vector<Column>& columns,
                                       const std::string& text, std::size_t from,
                                       const std::atomic_bool& cancel);
    // The first parent row, from row from on, with a child under the link whose column shows text.
    std::optional<std::size_t> nextParent(std::size_t link, const std::vector<Column>& columns,
                                          const std::string& text, std::size_t from,
                                          const std::atomic_bool& cancel);

private:
    std::optional<std::size_t> first(const std::string& sql, const std::string& text, std::size_t from,
                                     const std::atomic_bool& cancel);

    CopyReader& m_reader;
};

}  // namespace convertor

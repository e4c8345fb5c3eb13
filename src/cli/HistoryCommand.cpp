#include "HistoryCommand.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cmath>
#include <nlohmann/json.hpp>
#include <ostream>

#include "CliApp.h"
#include "ProgramHome.h"
#include "convert/DataDirectory.h"
#include "convert/RunHistory.h"
#include "refdata/Schema.h"
#include "refdata/TableStore.h"

namespace convertor::cli {

namespace {

namespace h = schema::runHistory;

// The columns of the text table; the source path last, as it is the widest.
const std::vector<std::string> kTableColumns{h::kStarted,     h::kProduct,   h::kCompanyId,
                                             h::kOutcome,     h::kAccepted,  h::kRejected,
                                             h::kTotalAmount, h::kHashValue, h::kSourcePath};

std::string cellText(const TableValue& value) {
    if (const auto* number = std::get_if<double>(&value)) {
        return std::to_string(std::llround(*number));
    }
    if (const auto* text = std::get_if<std::string>(&value)) {
        return *text;
    }
    return {};
}

// Characters a terminal gives a column to: Thai vowel and tone marks sit on the letter before.
std::size_t displayWidth(const std::string& utf8) {
    std::size_t width = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t code = lead;
        if (length == 3 && i + 2 < utf8.size()) {
            code = ((lead & 0x0Fu) << 12) | ((static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu) << 6) |
                   (static_cast<unsigned char>(utf8[i + 2]) & 0x3Fu);
        }
        const bool mark =
            code == 0x0E31 || (code >= 0x0E34 && code <= 0x0E3A) || (code >= 0x0E47 && code <= 0x0E4E);
        width += mark ? 0 : 1;
        i += length;
    }
    return width;
}

void writeTable(const HistoryRows& history, std::ostream& out) {
    std::vector<std::size_t> at;
    for (const std::string& name : kTableColumns) {
        at.push_back(static_cast<std::size_t>(
            std::find(history.columns.begin(), history.columns.end(), name) - history.columns.begin()));
    }
    std::vector<std::vector<std::string>> lines{kTableColumns};
    for (const auto& row : history.rows) {
        std::vector<std::string> cells;
        for (std::size_t column : at) {
            cells.push_back(column < row.size() ? cellText(row[column]) : std::string());
        }
        lines.push_back(std::move(cells));
    }
    std::vector<std::size_t> widths(kTableColumns.size(), 0);
    for (const auto& cells : lines) {
        for (std::size_t i = 0; i < cells.size(); ++i) {
            widths[i] = std::max(widths[i], displayWidth(cells[i]));
        }
    }
    for (const auto& cells : lines) {
        std::string line;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            line += cells[i];
            if (i + 1 < cells.size()) {
                line += std::string(widths[i] - displayWidth(cells[i]) + 2, ' ');
            }
        }
        out << line << "\n";
    }
}

void writeJsonLines(const HistoryRows& history, std::ostream& out) {
    for (const auto& row : history.rows) {
        nlohmann::ordered_json object = nlohmann::ordered_json::object();
        for (std::size_t i = 0; i < history.columns.size() && i < row.size(); ++i) {
            const TableValue& value = row[i];
            if (const auto* number = std::get_if<double>(&value)) {
                object[history.columns[i]] = std::llround(*number);
            } else if (const auto* text = std::get_if<std::string>(&value)) {
                object[history.columns[i]] = *text;
            } else {
                object[history.columns[i]] = nullptr;
            }
        }
        // A path in another encoding than UTF-8 still gives a line that parses.
        out << object.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << "\n";
    }
}

}  // namespace

HistoryCommand::HistoryCommand(CLI::App& app) {
    m_command = app.add_subcommand("history", "Show the newest runs of the run history");
    m_command->add_option("--home", m_home, "Directory holding Data/");
    m_command->add_option("--limit", m_limit, "How many runs to show (default 20)")
        ->check(CLI::PositiveNumber);
    m_command->add_flag("--json", m_json, "One JSON object per run, keyed by the column names");
}

bool HistoryCommand::chosen() const {
    return m_command->parsed();
}

int HistoryCommand::run(std::ostream& out, std::ostream& err) const {
    HistoryRows history;
    try {
        TableStore tables(databaseFile(programHome(m_home)));
        history = newestRuns(tables, m_limit);
    } catch (const std::exception& error) {
        err << "error: " << error.what() << "\n";
        return kRunError;
    }
    if (m_json) {
        writeJsonLines(history, out);
    } else {
        writeTable(history, out);
    }
    return kSuccess;
}

}  // namespace convertor::cli

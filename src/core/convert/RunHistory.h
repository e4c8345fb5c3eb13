#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "refdata/TableValue.h"

namespace convertor {

class TableStore;

// One row of the run history (refdata/Schema's runHistory). Texts are UTF-8; times are local,
// "YYYY-MM-DD HH:MM:SS".
struct HistoryRecord {
    std::string started;
    std::string ended;
    std::string product;  // "DCP", "PAY", "MCL", "MCP"
    std::string companyId;
    std::string login;
    std::string sourcePath;
    std::int64_t sourceSize = 0;
    std::string sourceSha1;
    std::string invoicePath;  // Manager Cheque with an invoice file only; otherwise empty, size none
    std::optional<std::int64_t> invoiceSize;
    std::string invoiceSha1;
    std::string destination;
    std::string archiveName;
    std::string outcome;  // schema::runHistory::kCompleted, ...
    std::string message;
    long accepted = 0;
    std::array<long, 4> rejected{};  // by RejectionKind
    std::string totalAmount;
    std::string hashValue;
};

// Writes the row in a transaction of its own. Throws TableError.
void addHistoryRecord(TableStore& tables, const HistoryRecord& record);

// What the repeat guard needs of an earlier run.
struct EarlierRun {
    std::string started;
    std::string destination;
    std::string hashValue;
    std::string sourceSha1;
    std::string invoiceSha1;
};

// The completed runs of the product whose source, and invoice file (none: none either), had these
// sizes, newest first; none when the file holds no history yet. Throws TableError.
std::vector<EarlierRun> completedRunsOfSize(TableStore& tables, const std::string& product,
                                            std::int64_t sourceSize, std::optional<std::int64_t> invoiceSize);

// Rows of the history with every column, as the table names them.
struct HistoryRows {
    std::vector<std::string> columns;
    std::vector<std::vector<TableValue>> rows;
};

// The newest runs, at most limit, newest first; no rows when the file holds no history yet.
// Throws TableError.
HistoryRows newestRuns(TableStore& tables, long limit);

// The local time now, "YYYY-MM-DD HH:MM:SS".
std::string localTimeNow();
// The login name of the user the program runs as; empty when the system knows none.
std::string loginName();

}  // namespace convertor

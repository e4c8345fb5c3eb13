#include "convert/RunHistory.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>

#include "bankfile/Rejection.h"
#include "refdata/Schema.h"
#include "refdata/TableStore.h"

namespace convertor {

namespace h = schema::runHistory;

namespace {

TableValue number(std::int64_t value) {
    return static_cast<double>(value);
}

TableValue textOrNull(const std::string& text) {
    return text.empty() ? TableValue() : TableValue(text);
}

std::string textOf(const TableValue& value) {
    const auto* text = std::get_if<std::string>(&value);
    return text == nullptr ? std::string() : *text;
}

std::string allColumns() {
    std::string list;
    for (const char* column : h::columns()) {
        list += (list.empty() ? "" : ", ") + std::string(column);
    }
    return list;
}

}  // namespace

void addHistoryRecord(TableStore& tables, const HistoryRecord& record) {
    const bool invoice = record.invoiceSize.has_value();
    TableRow row{
        {h::kStarted, record.started},
        {h::kEnded, record.ended},
        {h::kProduct, record.product},
        {h::kCompanyId, record.companyId},
        {h::kLogin, record.login},
        {h::kSourcePath, record.sourcePath},
        {h::kSourceSize, number(record.sourceSize)},
        {h::kSourceSha1, textOrNull(record.sourceSha1)},
        {h::kInvoicePath, invoice ? TableValue(record.invoicePath) : TableValue()},
        {h::kInvoiceSize, invoice ? number(*record.invoiceSize) : TableValue()},
        {h::kInvoiceSha1, invoice ? textOrNull(record.invoiceSha1) : TableValue()},
        {h::kDestination, record.destination},
        {h::kArchiveName, textOrNull(record.archiveName)},
        {h::kOutcome, record.outcome},
        {h::kMessage, textOrNull(record.message)},
        {h::kAccepted, number(record.accepted)},
    };
    long rejected = 0;
    for (long count : record.rejected) {
        rejected += count;
    }
    row.emplace_back(h::kRejected, number(rejected));
    const std::array<const char*, 4> kinds{h::kRejectedInvalidAcct, h::kRejectedCreditZeroAmount,
                                           h::kRejectedCreditAmountInvalid, h::kRejectedBankBranchCode};
    for (RejectionKind kind : kAllRejectionKinds) {
        const auto index = static_cast<std::size_t>(kind);
        row.emplace_back(kinds[index], number(record.rejected[index]));
    }
    row.emplace_back(h::kTotalAmount, textOrNull(record.totalAmount));
    row.emplace_back(h::kHashValue, textOrNull(record.hashValue));
    tables.addHistoryRow(row);
}

std::vector<EarlierRun> completedRunsOfSize(TableStore& tables, const std::string& product,
                                            std::int64_t sourceSize,
                                            std::optional<std::int64_t> invoiceSize) {
    std::vector<EarlierRun> runs;
    if (!tables.hasTable(h::kTable)) {
        return runs;
    }
    static const std::string sql = std::string("SELECT ") + h::kStarted + ", " + h::kDestination + ", " +
                                   h::kHashValue + ", " + h::kSourceSha1 + ", " + h::kInvoiceSha1 + " FROM " +
                                   h::kTable + " WHERE " + h::kSourceSize + " = ? AND " + h::kProduct +
                                   " = ? AND " + h::kOutcome + " = ? AND " + h::kInvoiceSize +
                                   " IS ? ORDER BY " + h::kStarted + " DESC, " + h::kId + " DESC";
    auto cursor = tables.openQuery(sql, {number(sourceSize), product, std::string(h::kCompleted),
                                         invoiceSize ? number(*invoiceSize) : TableValue()});
    while (cursor->next()) {
        const auto& row = cursor->row();
        runs.push_back({textOf(row[0]), textOf(row[1]), textOf(row[2]), textOf(row[3]), textOf(row[4])});
    }
    return runs;
}

HistoryRows newestRuns(TableStore& tables, long limit) {
    HistoryRows result;
    result.columns.assign(h::columns().begin(), h::columns().end());
    if (!tables.hasTable(h::kTable)) {
        return result;
    }
    static const std::string sql = "SELECT " + allColumns() + " FROM " + h::kTable + " ORDER BY " +
                                   h::kStarted + " DESC, " + h::kId + " DESC LIMIT ?";
    auto cursor = tables.openQuery(sql, {static_cast<double>(limit)});
    while (cursor->next()) {
        result.rows.push_back(cursor->row());
    }
    return result;
}

std::string localTimeNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

std::string loginName() {
    // The account the program runs as, not the terminal's owner: a run under sudo or from a
    // service is recorded for who it ran as.
    passwd entry{};
    passwd* found = nullptr;
    std::vector<char> buffer(16384);
    if (getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr) {
        return found->pw_name;
    }
    const char* user = std::getenv("USER");
    return user == nullptr ? std::string() : std::string(user);
}

}  // namespace convertor

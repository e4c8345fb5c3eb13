#include "convert/RunRecorder.h"

#include <array>
#include <cstdlib>
#include <filesystem>

#include "base/ConversionError.h"
#include "base/Operator.h"
#include "convert/RepeatGuard.h"
#include "products/ConversionRequest.h"
#include "products/RunResult.h"
#include "refdata/Schema.h"
#include "text/CodePage.h"

namespace fs = std::filesystem;

namespace convertor {

namespace {

constexpr const char* kUnreadHistory =
    "the run history cannot be read, so the source was not compared with earlier runs: ";

// A path as typed, made absolute so that it still names the file when read from elsewhere.
std::string absolutePath(const std::string& file) {
    std::error_code error;
    fs::path absolute = fs::absolute(file, error);
    return error ? file : absolute.string();
}

}  // namespace

RunRecorder::RunRecorder(TableStore& tables, Operator& op)
    : m_tables(tables), m_op(op), m_started(localTimeNow()) {}

RunRecorder::~RunRecorder() = default;

bool RunRecorder::begin(const ConversionRequest& request) {
    m_begun = true;
    m_record.started = m_started;
    m_record.product = productCode(*request.product);
    m_record.companyId = toUtf8(request.companyId);
    m_record.login = loginName();
    m_record.sourcePath = absolutePath(request.sourceFile);
    m_record.destination = absolutePath(request.destinationFile);
    if (hasInvoiceInput(request)) {
        m_record.invoicePath = absolutePath(request.invoiceFile);
    }

    RepeatGuard guard(request);
    m_record.sourceSize = guard.sourceSize();
    m_record.invoiceSize = guard.invoiceSize();
    std::optional<EarlierRun> earlier;
    try {
        earlier = guard.earlierRun(m_tables);
    } catch (const TableError& error) {
        m_unreadHistory = error.what();
    }
    if (earlier && !m_op.confirmRepeat(repeatNotice(*earlier))) {
        m_begun = false;
        return false;
    }
    std::vector<fs::path> files{request.sourceFile};
    std::vector<std::string> known{guard.sourceSha1()};
    if (m_record.invoiceSize) {
        files.emplace_back(request.invoiceFile);
        known.push_back(guard.invoiceSha1());
    }
    m_digests = std::make_unique<InputDigests>(std::move(files), std::move(known));
    return true;
}

void RunRecorder::finish(const RunResult& result) {
    if (!m_begun) {
        return;
    }
    switch (result.outcome) {
        case RunOutcome::Completed:
            m_record.outcome = schema::runHistory::kCompleted;
            break;
        case RunOutcome::AllRejected:
            m_record.outcome = schema::runHistory::kAllRejected;
            break;
        case RunOutcome::Stopped:
            m_record.outcome = schema::runHistory::kStopped;
            break;
    }
    m_record.message = result.message;
    m_record.archiveName = result.archiveName;
    m_record.accepted = result.acceptedCount;
    m_record.totalAmount = result.totalText;
    m_record.hashValue = result.digest;
    for (RejectionKind kind : kAllRejectionKinds) {
        // The run summary's counts, in the report's slots 0, 2, 4 and 7.
        static constexpr std::array<std::size_t, 4> kSlot{0, 2, 4, 7};
        const auto index = static_cast<std::size_t>(kind);
        m_record.rejected[index] = std::strtol(result.summary.items[kSlot[index]].c_str(), nullptr, 10);
    }
    record();
}

void RunRecorder::fail(const std::string& error) {
    if (!m_begun) {
        return;
    }
    m_record.outcome = schema::runHistory::kFailed;
    m_record.message = error;
    m_runError = error;
    record();
}

void RunRecorder::record() {
    m_begun = false;
    warn(kUnreadHistory, m_unreadHistory);
    try {
        if (m_digests) {
            const std::vector<std::string>& digests = m_digests->results();
            m_record.sourceSha1 = digests.at(0);
            if (m_record.invoiceSize) {
                m_record.invoiceSha1 = digests.at(1);
            }
        }
        m_record.ended = localTimeNow();
        addHistoryRecord(m_tables, m_record);
    } catch (const std::exception& error) {
        warn("the run history could not be kept: ", error.what());
    }
}

void RunRecorder::warn(const char* what, const std::string& cause) {
    // A run that failed for the same reason (a table file that cannot be opened) says it once.
    if (cause.empty() || cause == m_runError) {
        return;
    }
    try {
        m_op.warn(what + cause);
    } catch (...) {
        // Nobody left to tell: the run's own outcome stands.
    }
}

}  // namespace convertor

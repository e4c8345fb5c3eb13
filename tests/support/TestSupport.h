#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "base/Clock.h"
#include "base/Operator.h"
#include "products/ConversionRequest.h"
#include "refdata/TableStore.h"
#include "reports/ReportValue.h"

namespace convertor::test {

// A fresh directory under the system temp dir, removed when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

// A program directory for a test: Data/zvb.db (a copy of the seed database), Data/Default.ini
// (the delivered one) and Report/ (the delivered templates), plus an "out" folder for
// destinations and an "in" folder for sources.
class TestHome {
public:
    TestHome();
    const std::filesystem::path& home() const { return m_dir.path(); }
    std::filesystem::path database() const { return home() / "Data" / "zvb.db"; }
    std::filesystem::path in(const std::string& name) const { return home() / "in" / name; }
    std::filesystem::path out(const std::string& name) const { return home() / "out" / name; }

private:
    TempDir m_dir;
};

// Records everything a run shows.
class RecordingOperator : public Operator {
public:
    void showMessage(const std::string& message) override { messages.push_back(message); }
    void setProgress(int percent) override { progress.push_back(percent); }
    void setHashValue(const std::string& text) override { hashValue = text; }
    // Kept past the run, so it holds its rows rather than reading the tables later.
    void showReport(ReportValue report) override {
        report.loadRows();
        reports.push_back(std::move(report));
    }
    bool confirmRepeat(const std::string& earlierRun) override {
        repeats.push_back(earlierRun);
        return convertAgain;
    }
    void warn(const std::string& text) override { warnings.push_back(text); }

    std::vector<std::string> messages;
    std::vector<int> progress;
    std::string hashValue;
    std::vector<ReportValue> reports;
    std::vector<std::string> repeats;  // what confirmRepeat was asked
    bool convertAgain = true;          // its answer
    std::vector<std::string> warnings;
};

struct CliOutcome {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs convertor-cli as a process; with fakeTime (such as "2030-01-02 10:00:00") under libfaketime;
// with fileSizeBlocks, no file it writes may grow past that many 512-byte blocks (writes past it
// fail with EFBIG, as on a full disk); with asUser (such as "setpriv --reuid=65534 ..."), under
// that command.
CliOutcome runCliProcess(const std::vector<std::string>& args, const std::filesystem::path& scratch,
                         const std::string& fakeTime = "", int fileSizeBlocks = 0,
                         const std::string& asUser = "");

// Writes bytes as they stand (code page 874 texts, CR LF chosen by the caller).
void writeFile(const std::filesystem::path& file, const std::string& bytes);
std::string readFile(const std::filesystem::path& file);
// Lines joined with CR LF after each.
std::string crlfLines(const std::vector<std::string>& lines);
// Splits at CR LF; the bytes after the last CR LF (normally none) form no line.
std::vector<std::string> splitCrlf(const std::string& bytes);
// UTF-8 literal to code page 874 bytes.
std::string cp874(const std::string& utf8);
// Standard error of convertor-cli without the run history's warnings (a source converted again, a
// row that could not be kept), for tests about something else.
std::string withoutHistoryWarnings(const std::string& err);
// Whether a run left any of its work files in dir.
bool workFilesIn(const std::filesystem::path& dir);
// convert options of a Direct Credit run of company ACME01 with valid debit and fee accounts.
std::vector<std::string> directCreditArgs(const std::filesystem::path& source,
                                          const std::filesystem::path& destination,
                                          const std::filesystem::path& home);
// A Media Clearing source of tests/data with its effective date two days after the machine's
// date, for runs that take the real date.
std::string withFutureDate(std::string mediaClearingSource);
// A copy of a file under tests/data.
std::filesystem::path testData(const std::string& relative);

// The result of a select: column names (repeats allowed) and rows of values in that order.
struct QueryResult {
    std::vector<std::string> columns;
    std::vector<std::vector<TableValue>> rows;
};
// Every row of a select over the tables.
QueryResult query(TableStore& tables, const std::string& sql);

}  // namespace convertor::test

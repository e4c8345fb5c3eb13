#pragma once

#include <atomic>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "reports/ReportValue.h"

namespace convertor::cli {

// A detail report written to its file on a thread of its own while the run finishes the bank
// file. The digest is not known then: the report shows a random text of the same length in its
// place, whose places in the file are noted as it is written and filled in once the run is over.
// Until it is put in place the report is a work file beside the one asked for.
class EarlyReport {
public:
    EarlyReport(std::filesystem::path file, std::filesystem::path reportDir);
    // Stops and removes a report that was not put in place.
    ~EarlyReport();
    EarlyReport(const EarlyReport&) = delete;
    EarlyReport& operator=(const EarlyReport&) = delete;

    const std::string& placeholder() const { return m_placeholder; }
    bool begun() const { return m_begun; }
    // Starts writing the report; it reads the tables until wait returns.
    void begin(ReportValue report);
    // Returns when the report is written, or at once abandoned.
    void wait(bool abandon);
    // Puts the report in place when it is the one the run ended with, but for the digest, which
    // fills the placeholder's places. False, with nothing left behind, when it is not; throws what
    // writing it threw.
    bool complete(const ReportValue& shown);

private:
    void write();
    bool sameButDigest(const ReportValue& shown, std::string& digest) const;
    void fillDigest(const std::string& digest) const;
    void removeWork() const;

    std::filesystem::path m_file;
    std::filesystem::path m_work;
    std::filesystem::path m_reportDir;
    std::string m_placeholder;
    ReportValue m_report;
    bool m_begun = false;
    bool m_done = false;
    std::atomic<bool> m_abandon{false};
    std::vector<std::uint64_t> m_places;  // where the placeholder was written
    std::exception_ptr m_failure;
    std::thread m_thread;
};

}  // namespace convertor::cli

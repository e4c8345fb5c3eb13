#pragma once

#include <string>

namespace convertor {

inline constexpr const char* kDestinationBusy =
    "Another conversion is writing into the destination folder. Please wait until it ends and retry";
inline constexpr const char* kReportFolderBusy =
    "Another conversion is writing into the folder of the report file. Please wait until it ends and retry";

// An exclusive lock on the destination folder for the whole run, so that two runs never share
// the work file, rejection files or archive. The system releases it when the process dies, and it
// leaves no file behind.
class RunLock {
public:
    explicit RunLock(const std::string& destinationDirectory);
    ~RunLock();
    RunLock(const RunLock&) = delete;
    RunLock& operator=(const RunLock&) = delete;

    // True when another run holds the folder. A folder that cannot be opened is not refused here:
    // writing into it reports the error in the user's terms.
    bool busy() const { return m_busy; }

private:
    int m_fd = -1;
    bool m_busy = false;
};

}  // namespace convertor

#pragma once

#include <filesystem>
#include <stop_token>
#include <string>
#include <thread>
#include <vector>

namespace convertor {

// The SHA-1 of a file as 40 upper-case hexadecimal digits. Throws IoError when it cannot be read;
// returns an empty text when stop was requested before the end.
std::string fileSha1(const std::filesystem::path& file, std::stop_token stop = {});

// The SHA-1 of a run's input files, read on a thread of its own while the converter reads them:
// the history adds no pass to the run's own course. A digest already known is not read again.
class InputDigests {
public:
    // known[i], when given and not empty, is the digest of files[i].
    InputDigests(std::vector<std::filesystem::path> files, std::vector<std::string> known);
    ~InputDigests() = default;  // the thread is told to stop, and awaited
    InputDigests(const InputDigests&) = delete;
    InputDigests& operator=(const InputDigests&) = delete;

    // The digests in the files' order, an empty text for a file that could not be read; waits for
    // the thread.
    const std::vector<std::string>& results();

private:
    std::vector<std::string> m_digests;
    std::jthread m_thread;  // last: it goes first, before what it writes
};

}  // namespace convertor

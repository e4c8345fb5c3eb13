#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

#include "bankfile/Rejection.h"

namespace convertor {

class RunOutputs;

// The rejection files of a run, written through their work files. Each is opened at its first
// line and kept open for the run; every line is written through at once, so the file is complete
// whenever the run's outputs are committed. Errors name the files as the operator knows them.
class RejectionFiles {
public:
    explicit RejectionFiles(const RunOutputs& outputs) : m_outputs(outputs) {}
    ~RejectionFiles();
    RejectionFiles(const RejectionFiles&) = delete;
    RejectionFiles& operator=(const RejectionFiles&) = delete;

    // Appends line and CR LF to the kind's file. Throws IoError.
    void append(RejectionKind kind, std::string_view line);

private:
    struct OpenFile {
        int fd = -1;
        std::filesystem::path shownName;
    };

    const RunOutputs& m_outputs;
    std::array<OpenFile, kAllRejectionKinds.size()> m_open;
    std::string m_text;  // the line being written, reused
};

}  // namespace convertor

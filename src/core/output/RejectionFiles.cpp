#include "output/RejectionFiles.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "base/ConversionError.h"
#include "output/RunOutputs.h"

namespace convertor {

namespace {

IoError ioError(const char* what, const std::filesystem::path& shownName) {
    return IoError(std::string(what) + " " + shownName.string() + ": " + std::strerror(errno));
}

}  // namespace

RejectionFiles::~RejectionFiles() {
    for (const OpenFile& file : m_open) {
        if (file.fd >= 0) {
            ::close(file.fd);
        }
    }
}

void RejectionFiles::append(RejectionKind kind, std::string_view line) {
    OpenFile& file = m_open[static_cast<std::size_t>(kind)];
    if (file.fd < 0) {
        for (const auto& [named, path] : m_outputs.names().rejectionFiles) {
            if (named == kind) {
                file.shownName = path;
            }
        }
        file.fd = ::open(m_outputs.rejectionWork(kind).c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
        if (file.fd < 0) {
            throw ioError("Cannot open file", file.shownName);
        }
    }
    m_text.assign(line);
    m_text.append("\r\n");
    std::size_t written = 0;
    while (written < m_text.size()) {
        ssize_t result = ::write(file.fd, m_text.data() + written, m_text.size() - written);
        if (result < 0 && errno == EINTR) {
            continue;
        }
        if (result <= 0) {
            if (result == 0) {
                errno = ENOSPC;
            }
            throw ioError("Cannot write file", file.shownName);
        }
        written += static_cast<std::size_t>(result);
    }
}

}  // namespace convertor

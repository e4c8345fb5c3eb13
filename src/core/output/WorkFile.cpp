#include "output/WorkFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "base/ConversionError.h"

namespace fs = std::filesystem;

namespace convertor {

namespace {

IoError ioError(const char* what, const fs::path& shown) {
    return IoError(std::string(what) + " " + shown.string() + ": " + std::strerror(errno));
}

}  // namespace

WorkFile::WorkFile(fs::path named, bool unnamed, const fs::path& shown) : m_named(std::move(named)) {
    fs::path folder = m_named.parent_path().empty() ? fs::path(".") : m_named.parent_path();
    if (unnamed) {
        m_fd = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
        if (m_fd >= 0) {
            m_path = "/proc/self/fd/" + std::to_string(m_fd);
            return;
        }
        // A file system or kernel without unnamed files: the work name will do.
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
            throw ioError("Cannot create a work file for", shown);
        }
    }
    int fd = ::open(m_named.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        throw ioError("Cannot create a work file for", shown);
    }
    ::close(fd);
    m_path = m_named;
    m_linked = true;
}

WorkFile::~WorkFile() {
    if (m_fd >= 0) {
        ::close(m_fd);
    }
    if (m_linked && !m_released) {
        std::error_code ignored;
        fs::remove(m_named, ignored);
    }
}

void WorkFile::link(const fs::path& shown) {
    if (m_linked) {
        return;
    }
    if (::linkat(AT_FDCWD, m_path.c_str(), AT_FDCWD, m_named.c_str(), AT_SYMLINK_FOLLOW) != 0) {
        throw ioError("Cannot write file", shown);
    }
    m_linked = true;
}

}  // namespace convertor

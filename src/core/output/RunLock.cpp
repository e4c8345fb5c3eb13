#include "output/RunLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

namespace convertor {

RunLock::RunLock(const std::string& destinationDirectory) {
    std::string folder = destinationDirectory.empty() ? std::string(".") : destinationDirectory;
    m_fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_fd < 0) {
        return;
    }
    int result;
    do {
        result = ::flock(m_fd, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        m_busy = errno == EWOULDBLOCK;
        ::close(m_fd);
        m_fd = -1;
    }
}

RunLock::~RunLock() {
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

}  // namespace convertor

#include "output/FileIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

namespace convertor {

namespace {

constexpr std::size_t kBlockSize = 1 << 20;

}  // namespace

IoError ioError(const std::string& what, const std::string& shown) {
    return IoError(what + " " + shown + ": " + std::strerror(errno));
}

Fd::Fd(const std::filesystem::path& file, int flags, const std::string& shown)
    : m_fd(::open(file.c_str(), flags | O_CLOEXEC)) {
    if (m_fd < 0) {
        throw ioError("Cannot create file", shown);
    }
}

Fd::~Fd() {
    ::close(m_fd);
}

void writeAll(int fd, const void* data, std::size_t size, const char* what, const std::string& shown) {
    const char* at = static_cast<const char*>(data);
    while (size > 0) {
        ssize_t done = ::write(fd, at, size);
        if (done < 0 && errno == EINTR) {
            continue;
        }
        if (done <= 0) {
            if (done == 0) {
                errno = ENOSPC;
            }
            throw ioError(what, shown);
        }
        at += done;
        size -= static_cast<std::size_t>(done);
    }
}

void pwriteAll(int fd, std::string_view data, off_t offset, const std::string& shown) {
    if (::pwrite(fd, data.data(), data.size(), offset) != static_cast<ssize_t>(data.size())) {
        throw ioError("Cannot write file", shown);
    }
}

void forEachBlock(const std::filesystem::path& file, std::uint64_t from, std::uint64_t end,
                  const std::string& shown, const std::function<void(std::string_view)>& use) {
    Fd reader(file, O_RDONLY, shown);
    struct stat status {};
    if (::fstat(reader.get(), &status) != 0 || static_cast<std::uint64_t>(status.st_size) != end) {
        throw IoError("Cannot read file " + shown + ": it changed while it was written");
    }
    ::posix_fadvise(reader.get(), 0, 0, POSIX_FADV_SEQUENTIAL);
    std::unique_ptr<char[]> buffer(new char[kBlockSize]);
    for (std::uint64_t at = from; at < end;) {
        ssize_t got = ::pread(reader.get(), buffer.get(), std::min<std::uint64_t>(kBlockSize, end - at),
                              static_cast<off_t>(at));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            if (got == 0) {
                errno = EIO;
            }
            throw ioError("Cannot read file", shown);
        }
        use(std::string_view(buffer.get(), static_cast<std::size_t>(got)));
        at += static_cast<std::uint64_t>(got);
    }
}

}  // namespace convertor

#pragma once

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "base/ConversionError.h"

namespace convertor {

// IoError "what shown: " and the text of errno.
IoError ioError(const std::string& what, const std::string& shown);

// A file descriptor opened for the life of the object; throws "Cannot create file shown".
class Fd {
public:
    Fd(const std::filesystem::path& file, int flags, const std::string& shown);
    ~Fd();
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

// Every byte or an IoError "what shown: ...".
void writeAll(int fd, const void* data, std::size_t size, const char* what, const std::string& shown);
void pwriteAll(int fd, std::string_view data, off_t offset, const std::string& shown);

// Bytes from to end of a file just written, read a block of 1 MiB at a time while they are still
// in the page cache. Throws IoError naming shown, also when the file's size is not end.
void forEachBlock(const std::filesystem::path& file, std::uint64_t from, std::uint64_t end,
                  const std::string& shown, const std::function<void(std::string_view)>& use);

}  // namespace convertor

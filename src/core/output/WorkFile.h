#pragma once

#include <filesystem>

namespace convertor {

// A file a run writes before it is put in place. Where the folder's file system allows it, the
// file has no name at all (O_TMPFILE) until the commit links it in, so a run that is killed
// leaves nothing behind; elsewhere it is created under its work name with O_EXCL. Either way
// path() opens it, and a work file that is not named at the end goes with the object.
class WorkFile {
public:
    // named: the work name, in the folder of the file it will replace. unnamed: whether to try an
    // unnamed file first. Throws IoError naming shown.
    WorkFile(std::filesystem::path named, bool unnamed, const std::filesystem::path& shown);
    ~WorkFile();
    WorkFile(const WorkFile&) = delete;
    WorkFile& operator=(const WorkFile&) = delete;

    // Where to open the file: /proc/self/fd/N for an unnamed one, else its work name.
    const std::filesystem::path& path() const { return m_path; }
    const std::filesystem::path& named() const { return m_named; }
    // Gives an unnamed file its work name; a named one has it already. Throws IoError.
    void link(const std::filesystem::path& shown);
    // The file is in place (or taken over by the commit): nothing to remove.
    void release() { m_released = true; }

private:
    std::filesystem::path m_named;
    std::filesystem::path m_path;
    int m_fd = -1;  // an unnamed file's, open until it goes
    bool m_linked = false;
    bool m_released = false;
};

}  // namespace convertor

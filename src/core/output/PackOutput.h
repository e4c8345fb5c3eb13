#pragma once

#include <filesystem>
#include <string>

namespace convertor {

struct DeflatedFile;

// Writes a fresh archive into archiveWork holding the bank file, already packed with Deflate, as
// its one entry entryName; the run's archive replaces every earlier entry anyway. Errors name
// archiveShown, the archive's final name. Throws IoError.
void packOutput(const DeflatedFile& bankFile, const std::string& entryName,
                const std::filesystem::path& archiveWork, const std::filesystem::path& archiveShown);

// False when a file stands at archive that this program could not have written (not a ZIP
// archive): the run must not replace it.
bool replaceableArchive(const std::filesystem::path& archive);

}  // namespace convertor

#include "convert/DataDirectory.h"

#include "refdata/Schema.h"

namespace convertor {

std::filesystem::path dataDirectory(const std::filesystem::path& home) {
    return home / "Data";
}

std::filesystem::path settingsFile(const std::filesystem::path& home) {
    return dataDirectory(home) / "Default.ini";
}

std::filesystem::path databaseFile(const std::filesystem::path& home) {
    return dataDirectory(home) / schema::kDatabaseFile;
}

std::filesystem::path reportDirectory(const std::filesystem::path& home) {
    return home / "Report";
}

}  // namespace convertor

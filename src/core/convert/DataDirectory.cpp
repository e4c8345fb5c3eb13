#include "convert/DataDirectory.h"

namespace convertor {

std::filesystem::path dataDirectory(const std::filesystem::path& home) {
    return home / "Data";
}

}  // namespace convertor

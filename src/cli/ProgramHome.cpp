#include "ProgramHome.h"

namespace fs = std::filesystem;

namespace convertor::cli {

fs::path programHome(const std::string& homeOption) {
    if (!homeOption.empty()) {
        return homeOption;
    }
    std::error_code error;
    fs::path executable = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::current_path() : executable.parent_path();
}

}  // namespace convertor::cli

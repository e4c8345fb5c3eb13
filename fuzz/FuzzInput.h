#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace convertor::fuzz {

// A private folder for one fuzzing process, removed when the process ends.
inline const std::filesystem::path& scratch() {
    static const std::filesystem::path dir = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "convertor-fuzz-XXXXXX").string();
        if (!mkdtemp(pattern.data())) {
            std::abort();
        }
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(scratch(), ignored);
        });
        return std::filesystem::path(pattern);
    }();
    return dir;
}

inline std::filesystem::path writeInput(const std::string& name, const uint8_t* data, size_t size) {
    std::filesystem::path file = scratch() / name;
    std::ofstream(file, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data), size);
    return file;
}

inline std::filesystem::path writeText(const std::string& name, const std::string& bytes) {
    return writeInput(name, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

inline std::string readAll(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Stops the fuzzer with a message when an invariant does not hold.
#define FUZZ_CHECK(condition)                                                                       \
    do {                                                                                            \
        if (!(condition)) {                                                                         \
            std::fprintf(stderr, "invariant broken: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
            std::abort();                                                                           \
        }                                                                                           \
    } while (false)

}  // namespace convertor::fuzz

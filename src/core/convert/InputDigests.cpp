#include "convert/InputDigests.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "bankfile/FileDigest.h"
#include "base/ConversionError.h"

namespace convertor {

namespace {

constexpr std::size_t kBlockSize = 1 << 20;

}  // namespace

std::string fileSha1(const std::filesystem::path& file, std::stop_token stop) {
    std::unique_ptr<std::FILE, decltype(&std::fclose)> handle(std::fopen(file.c_str(), "rb"), &std::fclose);
    if (!handle) {
        throw IoError("Cannot open file " + file.string() + ": " + std::strerror(errno));
    }
    Sha1 sha1;
    std::vector<char> block(kBlockSize);
    for (;;) {
        if (stop.stop_requested()) {
            return {};
        }
        std::size_t read = std::fread(block.data(), 1, block.size(), handle.get());
        sha1.update(block.data(), read);
        if (read < block.size()) {
            if (std::ferror(handle.get())) {
                throw IoError("Cannot read file " + file.string() + ": " + std::strerror(errno));
            }
            return digestText(sha1.finish());
        }
    }
}

InputDigests::InputDigests(std::vector<std::filesystem::path> files, std::vector<std::string> known)
    : m_digests(std::move(known)) {
    m_digests.resize(files.size());
    m_thread = std::jthread([this, files = std::move(files)](std::stop_token stop) {
        for (std::size_t i = 0; i < files.size(); ++i) {
            if (!m_digests[i].empty()) {
                continue;
            }
            try {
                m_digests[i] = fileSha1(files[i], stop);
            } catch (const std::exception&) {
                // The history keeps the run without this digest; the run reports its own read errors.
            }
        }
    });
}

const std::vector<std::string>& InputDigests::results() {
    if (m_thread.joinable()) {
        m_thread.join();
    }
    return m_digests;
}

}  // namespace convertor

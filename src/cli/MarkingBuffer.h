#pragma once

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <exception>
#include <streambuf>
#include <string>
#include <string_view>
#include <vector>

namespace convertor::cli {

// Passes what is written on to the file, noting where the placeholder goes by (also across the
// ends of blocks), and stops the writing once it is abandoned.
class MarkingBuffer : public std::streambuf {
public:
    struct Abandoned : std::exception {};

    MarkingBuffer(std::streambuf& file, const std::string& placeholder, const std::atomic<bool>& abandon,
                  std::vector<std::uint64_t>& places)
        : m_file(file), m_placeholder(placeholder), m_abandon(abandon), m_places(places) {}

protected:
    std::streamsize xsputn(const char* data, std::streamsize size) override {
        if (m_abandon) {
            throw Abandoned();
        }
        note(std::string_view(data, static_cast<std::size_t>(size)));
        return m_file.sputn(data, size);
    }
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof())) {
            return traits_type::not_eof(c);
        }
        const char byte = traits_type::to_char_type(c);
        return xsputn(&byte, 1) == 1 ? c : traits_type::eof();
    }
    int sync() override { return m_file.pubsync(); }

private:
    void note(std::string_view block) {
        const std::size_t keep = m_placeholder.size() - 1;
        // A placeholder that began in the bytes kept from before.
        std::string joined = m_tail;
        joined.append(block.substr(0, std::min(keep, block.size())));
        for (std::size_t at = joined.find(m_placeholder); at != std::string::npos && at < m_tail.size();
             at = joined.find(m_placeholder, at + 1)) {
            m_places.push_back(m_written - m_tail.size() + at);
        }
        // memmem: its speed does not depend on how often the placeholder's first character occurs.
        for (const char* at = block.data(), *end = at + block.size();
             (at = static_cast<const char*>(::memmem(at, static_cast<std::size_t>(end - at), m_placeholder.data(),
                                                     m_placeholder.size()))) != nullptr;
             ++at) {
            m_places.push_back(m_written + static_cast<std::uint64_t>(at - block.data()));
        }
        m_written += block.size();
        m_tail.append(block.substr(block.size() - std::min(keep, block.size())));
        if (m_tail.size() > keep) {
            m_tail.erase(0, m_tail.size() - keep);
        }
    }

    std::streambuf& m_file;
    const std::string& m_placeholder;
    const std::atomic<bool>& m_abandon;
    std::vector<std::uint64_t>& m_places;
    std::uint64_t m_written = 0;
    std::string m_tail;  // the last bytes written, fewer than the placeholder
};

}  // namespace convertor::cli

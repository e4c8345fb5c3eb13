#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "bankfile/BankFileCheck.h"
#include "output/FileIo.h"

namespace convertor {

// One job the writing thread of the bank file does with every piece of its body (whole lines, in
// file order), and what is left of it once the last piece is in. consume() runs on the writing
// thread; finish() runs after that thread has ended, on a thread of its own beside the digest pass.
class PieceConsumer {
public:
    virtual ~PieceConsumer() = default;
    virtual void consume(std::string_view piece) = 0;
    virtual void finish() = 0;
};

// The body appended to the bank work file after its head, each piece's write-back started at
// once; finish flushes the file to disk, so the commit need not wait for it.
class BodyFile : public PieceConsumer {
public:
    // Writes head, the lines before the body.
    BodyFile(const std::filesystem::path& work, std::string shown, std::string_view head);

    void consume(std::string_view piece) override;
    void finish() override;

    int fd() const { return m_fd.get(); }
    const std::filesystem::path& work() const { return m_work; }
    const std::string& shown() const { return m_shown; }
    std::uint64_t headSize() const { return m_headSize; }
    std::uint64_t bodySize() const { return m_bodySize; }

private:
    std::filesystem::path m_work;
    std::string m_shown;
    Fd m_fd;
    std::uint64_t m_headSize = 0;
    std::uint64_t m_bodySize = 0;
};

// Every record checked as verify checks it.
class RecordCheck : public PieceConsumer {
public:
    explicit RecordCheck(std::optional<Product> product) : m_check(product) {}

    void consume(std::string_view piece) override;
    void finish() override {}

    // With the head, known only at the end; lines: every line of the file but the digest line.
    std::vector<std::string> problems(std::string_view record001, std::string_view record002, long lines);

private:
    BankFileCheck m_check;
    long m_lines = 3;  // the digest line, record 001 and record 002 come before the body
};

// The body packed with Deflate a block at a time into the scratch file, ready for the archive:
// piece by piece while the writing thread keeps up, the rest read back from the file at the end.
class BodyPacker : public PieceConsumer {
public:
    // waiting: the pieces waiting for the writing thread; the packing stops for good once it
    // falls behind.
    BodyPacker(const std::filesystem::path& packWork, std::string archiveShown, const BodyFile& body,
               const std::atomic<std::size_t>& waiting);

    void consume(std::string_view piece) override;
    void finish() override;

    int fd() const { return m_fd.get(); }
    std::uint32_t crc() const { return m_crc; }
    std::uint64_t packedSize() const { return m_packedSize; }

private:
    void pack(std::string_view body);

    Fd m_fd;
    std::string m_archiveShown;
    const BodyFile& m_body;
    const std::atomic<std::size_t>& m_waiting;
    bool m_keepingUp = true;
    std::uint64_t m_bodyPacked = 0;  // bytes of the body packed, from its start
    std::uint32_t m_crc = 0;         // of those bytes
    std::uint64_t m_packedSize = 0;
    std::vector<unsigned char> m_out;
};

}  // namespace convertor

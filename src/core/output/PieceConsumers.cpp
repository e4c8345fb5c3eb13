#include "output/PieceConsumers.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "output/DeflatePiece.h"

namespace convertor {

namespace {

constexpr std::size_t kBlockSize = 1 << 20;
// A piece just over a block is packed in one, not with a scrap of a block after it.
constexpr std::size_t kLongestPiece = kBlockSize + 1024;
// The writing thread packs its pieces while fewer than this many wait for it; the rest is packed
// after the pass, beside the digest.
constexpr std::size_t kPackingLag = 2;

}  // namespace

BodyFile::BodyFile(const std::filesystem::path& work, std::string shown, std::string_view head)
    : m_work(work),
      m_shown(std::move(shown)),
      m_fd(work, O_WRONLY | O_TRUNC, m_shown),
      m_headSize(head.size()) {
    writeAll(m_fd.get(), head.data(), head.size(), "Cannot write file", m_shown);
}

void BodyFile::consume(std::string_view piece) {
    writeAll(m_fd.get(), piece.data(), piece.size(), "Cannot write file", m_shown);
    // Started now, the write-back leaves little for the flush before the file takes its place.
    ::sync_file_range(m_fd.get(), static_cast<off_t>(m_headSize + m_bodySize),
                      static_cast<off_t>(piece.size()), SYNC_FILE_RANGE_WRITE);
    m_bodySize += piece.size();
}

void BodyFile::finish() {
    if (::fdatasync(m_fd.get()) != 0) {
        throw ioError("Cannot write file", m_shown);
    }
}

void RecordCheck::consume(std::string_view piece) {
    for (std::size_t lf; (lf = piece.find('\n')) != std::string_view::npos;) {
        std::string_view line = piece.substr(0, lf);
        const bool terminated = !line.empty() && line.back() == '\r';
        m_check.bodyLine(++m_lines, terminated ? line.substr(0, line.size() - 1) : line, terminated);
        piece.remove_prefix(lf + 1);
    }
}

std::vector<std::string> RecordCheck::problems(std::string_view record001, std::string_view record002,
                                               long lines) {
    m_check.headerLine(2, record001);
    m_check.debitLine(3, record002);
    return m_check.finish(lines + 1);
}

BodyPacker::BodyPacker(const std::filesystem::path& packWork, std::string archiveShown, const BodyFile& body,
                       const std::atomic<std::size_t>& waiting)
    : m_fd(packWork, O_WRONLY | O_TRUNC, archiveShown),
      m_archiveShown(std::move(archiveShown)),
      m_body(body),
      m_waiting(waiting) {}

void BodyPacker::consume(std::string_view piece) {
    // Packing waits while a piece does: the converting thread must not wait for it.
    m_keepingUp = m_keepingUp && m_waiting.load() < kPackingLag;
    if (m_keepingUp) {
        pack(piece);
    }
}

// Packs the part of the body the writing thread left, read back from the file.
void BodyPacker::finish() {
    forEachBlock(m_body.work(), m_body.headSize() + m_bodyPacked, m_body.headSize() + m_body.bodySize(),
                 m_body.shown(), [&](std::string_view block) { pack(block); });
}

void BodyPacker::pack(std::string_view body) {
    while (!body.empty()) {
        std::string_view block = body.substr(0, body.size() <= kLongestPiece ? body.size() : kBlockSize);
        body.remove_prefix(block.size());
        m_crc = crc32Of(block, m_crc);
        m_out.clear();
        deflatePiece(block, false, m_out);
        writeAll(m_fd.get(), m_out.data(), m_out.size(), "Cannot write archive", m_archiveShown);
        m_packedSize += m_out.size();
        m_bodyPacked += block.size();
    }
}

}  // namespace convertor

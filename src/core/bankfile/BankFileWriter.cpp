#include "bankfile/BankFileWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

#include "bankfile/DeflatePiece.h"
#include "bankfile/FileDigest.h"
#include "bankfile/RecordLayout.h"
#include "base/ConversionError.h"

namespace convertor {

namespace {

// Pieces of 1 MiB: large enough for the disk, small enough that the few in flight keep memory
// flat and stay in the processor's cache while they are packed.
constexpr std::size_t kPieceSize = 1 << 20;
constexpr std::size_t kBlockSize = 1 << 20;
constexpr std::size_t kLongestLine = 1024;
constexpr std::size_t kDigestLine = DigestLine::kWidth + 2;
constexpr std::size_t kWaitingPieces = 4;
// The writing thread packs its pieces until this many wait for it; the rest is packed after the
// pass, beside the digest.
constexpr std::size_t kPackingLag = 2;

IoError ioError(const std::string& what, const std::string& file) {
    return IoError(what + " " + file + ": " + std::strerror(errno));
}

class Fd {
public:
    Fd(const std::filesystem::path& file, int flags, const std::string& shown)
        : m_fd(::open(file.c_str(), flags | O_CLOEXEC)) {
        if (m_fd < 0) {
            throw ioError("Cannot create file", shown);
        }
    }
    ~Fd() { ::close(m_fd); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

// Every byte or an IoError naming shown.
void writeAll(int fd, const void* data, std::size_t size, const char* what, const std::string& shown) {
    const char* at = static_cast<const char*>(data);
    while (size > 0) {
        ssize_t done = ::write(fd, at, size);
        if (done < 0 && errno == EINTR) {
            continue;
        }
        if (done <= 0) {
            if (done == 0) {
                errno = ENOSPC;
            }
            throw ioError(what, shown);
        }
        at += done;
        size -= static_cast<std::size_t>(done);
    }
}

void pwriteAll(int fd, std::string_view data, off_t offset, const std::string& shown) {
    if (::pwrite(fd, data.data(), data.size(), offset) != static_cast<ssize_t>(data.size())) {
        throw ioError("Cannot write file", shown);
    }
}

PieceBuffer freshPiece() {
    return PieceBuffer(kPieceSize + kLongestLine);
}

// Bytes from to end of a file just written, read a block at a time while they are still in the
// page cache; a block of 1 MiB stays in the processor's cache for everything done with it.
template <typename Use>
void forEachBlock(const std::filesystem::path& file, std::uint64_t from, std::uint64_t end,
                  const std::string& shown, Use use) {
    Fd reader(file, O_RDONLY, shown);
    struct stat status {};
    if (::fstat(reader.get(), &status) != 0 || static_cast<std::uint64_t>(status.st_size) != end) {
        throw IoError("Cannot read file " + shown + ": it changed while it was written");
    }
    ::posix_fadvise(reader.get(), 0, 0, POSIX_FADV_SEQUENTIAL);
    std::unique_ptr<char[]> buffer(new char[kBlockSize]);
    for (std::uint64_t at = from; at < end;) {
        ssize_t got = ::pread(reader.get(), buffer.get(), std::min<std::uint64_t>(kBlockSize, end - at),
                              static_cast<off_t>(at));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            if (got == 0) {
                errno = EIO;
            }
            throw ioError("Cannot read file", shown);
        }
        use(std::string_view(buffer.get(), static_cast<std::size_t>(got)));
        at += static_cast<std::uint64_t>(got);
    }
}

}  // namespace

BankFileWriter::BankFileWriter(Names names, std::string_view record001, std::optional<Product> product)
    : m_names(std::move(names)), m_check(product), m_record001(record001), m_piece(freshPiece()) {
    m_bank = ::open(m_names.bankWork.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (m_bank < 0) {
        throw ioError("Cannot create file", m_names.bankShown);
    }
    m_packing.fd = ::open(m_names.packWork.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (m_packing.fd < 0) {
        ::close(m_bank);
        throw ioError("Cannot create file", m_names.archiveShown);
    }
    // Room for the digest line on top and for record 002 after record 001: both are known only
    // at the end and are filled in place.
    std::string head = std::string(DigestLine::kWidth, '0') + "\r\n" + m_record001 + "\r\n" +
                       std::string(static_cast<std::size_t>(recordLength(2)), ' ') + "\r\n";
    try {
        writeAll(m_bank, head.data(), head.size(), "Cannot write file", m_names.bankShown);
    } catch (...) {
        ::close(m_packing.fd);
        ::close(m_bank);
        throw;
    }
    m_headSize = head.size();
    m_lines = 3;
    m_thread = std::thread([this] { work(); });
}

BankFileWriter::~BankFileWriter() {
    stop(false);
    ::close(m_packing.fd);
    ::close(m_bank);
}

void BankFileWriter::stop(bool drain) {
    {
        std::lock_guard lock(m_mutex);
        m_closing = true;
        if (!drain) {
            m_full.clear();
        }
    }
    m_changed.notify_all();
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

void BankFileWriter::append(std::string_view record) {
    auto* out = reinterpret_cast<unsigned char*>(m_piece.extend(record.size() + 2));
    const auto* in = reinterpret_cast<const unsigned char*>(record.data());
    // Copied and blanked in one pass: every byte below a blank becomes one.
    for (std::size_t i = 0; i < record.size(); ++i) {
        out[i] = std::max<unsigned char>(in[i], ' ');
    }
    out[record.size()] = '\r';
    out[record.size() + 1] = '\n';
    ++m_lines;
    if (m_piece.size() >= kPieceSize) {
        handOver();
    }
}

void BankFileWriter::handOver() {
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [&] { return m_full.size() < kWaitingPieces || m_failure; });
        if (m_failure) {
            std::rethrow_exception(m_failure);
        }
        m_full.push_back(std::move(m_piece));
        if (m_spare.empty()) {
            m_piece = freshPiece();
        } else {
            m_piece = std::move(m_spare.back());
            m_spare.pop_back();
        }
    }
    m_changed.notify_all();
}

// The writing thread: each piece to the end of the work file, and its write-back started.
void BankFileWriter::work() {
    for (;;) {
        PieceBuffer piece;
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [&] { return m_closing || !m_full.empty(); });
            if (m_full.empty()) {
                return;
            }
            piece = std::move(m_full.front());
            m_full.pop_front();
        }
        try {
            writeAll(m_bank, piece.data(), piece.size(), "Cannot write file", m_names.bankShown);
            // Started now, the write-back leaves little for the flush before the file takes its place.
            ::sync_file_range(m_bank, static_cast<off_t>(m_headSize + m_bodySize),
                              static_cast<off_t>(piece.size()), SYNC_FILE_RANGE_WRITE);
            m_bodySize += piece.size();
            checkPiece(piece.view());
            // Packing waits while a piece does: the converting thread must not wait for it.
            if (m_packing.open) {
                std::lock_guard lock(m_mutex);
                m_packing.open = m_full.size() < kPackingLag;
            }
            if (m_packing.open) {
                pack(piece.view());
            }
        } catch (...) {
            std::lock_guard lock(m_mutex);
            m_failure = std::current_exception();
            m_full.clear();
            m_changed.notify_all();
            return;
        }
        {
            std::lock_guard lock(m_mutex);
            piece.clear();
            m_spare.push_back(std::move(piece));
        }
        m_changed.notify_all();
    }
}

// The next bytes of the body, packed with Deflate a block at a time onto the scratch file.
void BankFileWriter::pack(std::string_view body) {
    while (!body.empty()) {
        // A piece just over a block goes in one, not with a scrap of a block after it.
        std::string_view block =
            body.substr(0, body.size() <= kPieceSize + kLongestLine ? body.size() : kBlockSize);
        body.remove_prefix(block.size());
        m_packing.crc = crc32Of(block, m_packing.crc);
        m_packing.out.clear();
        deflatePiece(block, false, m_packing.out);
        writeAll(m_packing.fd, m_packing.out.data(), m_packing.out.size(), "Cannot write archive",
                 m_names.archiveShown);
        m_packing.packedSize += m_packing.out.size();
        m_packing.bodyPacked += block.size();
    }
}

// Checks the records of a piece; a piece holds whole lines.
void BankFileWriter::checkPiece(std::string_view piece) {
    for (std::size_t lf; (lf = piece.find('\n')) != std::string_view::npos;) {
        std::string_view line = piece.substr(0, lf);
        const bool terminated = !line.empty() && line.back() == '\r';
        m_check.bodyLine(++m_linesChecked, terminated ? line.substr(0, line.size() - 1) : line, terminated);
        piece.remove_prefix(lf + 1);
    }
}

// Packs the part of the body the writing thread left, read back from the file.
void BankFileWriter::packRest() {
    std::uint64_t at = m_packing.bodyPacked;
    forEachBlock(m_names.bankWork, m_headSize + at, m_headSize + m_bodySize, m_names.bankShown,
                 [&](std::string_view block) { pack(block); });
}

BankFileWriter::Finished BankFileWriter::finish(std::string_view record002) {
    if (!m_piece.empty()) {
        handOver();
    }
    stop(true);
    {
        std::lock_guard lock(m_mutex);
        if (m_failure) {
            std::rethrow_exception(m_failure);
        }
    }
    // The pieces are done with; the read-back below needs only its blocks.
    m_piece = PieceBuffer();
    m_spare.clear();
    m_spare.shrink_to_fit();
    Finished finished;
    std::string line2 = std::string(record002) + "\r\n";
    pwriteAll(m_bank, line2, static_cast<off_t>(kDigestLine + m_record001.size() + 2), m_names.bankShown);

    // The body is read back while it is still in the page cache: the packing thread checks it
    // (and packs what is left) while this one takes the digest, which covers everything after the digest
    // line. The disk takes the body meanwhile: flushed now, the file is on disk by the time the run commits,
    // instead of the commit waiting for all of it.
    int flushError = 0;
    std::thread flusher([&] { flushError = ::fdatasync(m_bank) == 0 ? 0 : errno; });
    std::exception_ptr packFailure;
    std::thread packer([&] {
        try {
            packRest();
        } catch (...) {
            packFailure = std::current_exception();
        }
    });
    Sha1 sha1;
    std::string head = m_record001 + "\r\n" + line2;
    sha1.update(head);
    try {
        forEachBlock(m_names.bankWork, m_headSize, m_headSize + m_bodySize, m_names.bankShown,
                     [&](std::string_view block) { sha1.update(block); });
    } catch (...) {
        packer.join();
        flusher.join();
        throw;
    }
    packer.join();
    flusher.join();
    if (packFailure) {
        std::rethrow_exception(packFailure);
    }
    if (flushError != 0) {
        errno = flushError;
        throw ioError("Cannot write file", m_names.bankShown);
    }
    finished.digest = digestText(sha1.finish());
    pwriteAll(m_bank, finished.digest + "\r\n", 0, m_names.bankShown);

    head = finished.digest + "\r\n" + head;
    DeflatedFile& packed = finished.packed;
    deflatePiece(head, false, packed.head);
    deflatePiece({}, true, packed.tail);
    packed.body = m_names.packWork;
    packed.bodySize = m_packing.packedSize;
    packed.crc = crc32Join(crc32Of(head), m_packing.crc, m_bodySize);
    packed.size = head.size() + m_bodySize;
    struct stat status {};
    packed.modified = ::fstat(m_bank, &status) == 0 ? status.st_mtime : std::time(nullptr);

    m_check.headerLine(2, m_record001);
    m_check.debitLine(3, record002);
    finished.problems = m_check.finish(m_lines + 1);
    return finished;
}

}  // namespace convertor

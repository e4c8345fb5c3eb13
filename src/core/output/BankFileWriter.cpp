#include "output/BankFileWriter.h"

#include <sys/stat.h>

#include <algorithm>
#include <ctime>

#include "bankfile/FileDigest.h"
#include "bankfile/RecordLayout.h"
#include "output/DeflatePiece.h"

namespace convertor {

namespace {

// Pieces of 1 MiB: large enough for the disk, small enough that the few in flight keep memory
// flat and stay in the processor's cache while they are packed.
constexpr std::size_t kPieceSize = 1 << 20;
constexpr std::size_t kLongestLine = 1024;
constexpr std::size_t kDigestLine = DigestLine::kWidth + 2;
constexpr std::size_t kWaitingPieces = 4;

PieceBuffer freshPiece() {
    return PieceBuffer(kPieceSize + kLongestLine);
}

// Room for the digest line on top and for record 002 after record 001: both are known only at
// the end and are filled in place.
std::string placeholderHead(std::string_view record001) {
    return std::string(DigestLine::kWidth, '0') + "\r\n" + std::string(record001) + "\r\n" +
           std::string(static_cast<std::size_t>(recordLength(2)), ' ') + "\r\n";
}

}  // namespace

BankFileWriter::BankFileWriter(Names names, std::string_view record001, std::optional<Product> product)
    : m_names(std::move(names)),
      m_record001(record001),
      m_body(m_names.bankWork, m_names.bankShown, placeholderHead(record001)),
      m_check(product),
      m_packer(m_names.packWork, m_names.archiveShown, m_body, m_waiting),
      m_consumers{&m_body, &m_check, &m_packer},
      m_piece(freshPiece()),
      m_thread([this] { work(); }) {}

BankFileWriter::~BankFileWriter() {
    stop(false);
}

void BankFileWriter::stop(bool drain) {
    {
        std::lock_guard lock(m_mutex);
        m_closing = true;
        if (!drain) {
            m_full.clear();
            m_waiting = 0;
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
        m_waiting = m_full.size();
        if (m_spare.empty()) {
            m_piece = freshPiece();
        } else {
            m_piece = std::move(m_spare.back());
            m_spare.pop_back();
        }
    }
    m_changed.notify_all();
}

// The writing thread: each piece to every consumer in turn.
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
            m_waiting = m_full.size();
        }
        try {
            for (PieceConsumer* consumer : m_consumers) {
                consumer->consume(piece.view());
            }
        } catch (...) {
            std::lock_guard lock(m_mutex);
            m_failure = std::current_exception();
            m_full.clear();
            m_waiting = 0;
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
    pwriteAll(m_body.fd(), line2, static_cast<off_t>(kDigestLine + m_record001.size() + 2),
              m_names.bankShown);

    // The body is read back while it is still in the page cache: this thread takes the digest,
    // which covers everything after the digest line, while the consumers finish beside it.
    std::string head = m_record001 + "\r\n" + line2;
    Sha1 sha1;
    sha1.update(head);
    std::vector<std::exception_ptr> failures(m_consumers.size());
    std::vector<std::thread> finishing;
    for (std::size_t i = 0; i < m_consumers.size(); ++i) {
        finishing.emplace_back([this, i, &failures] {
            try {
                m_consumers[i]->finish();
            } catch (...) {
                failures[i] = std::current_exception();
            }
        });
    }
    std::exception_ptr digestFailure;
    try {
        forEachBlock(m_names.bankWork, m_body.headSize(), m_body.headSize() + m_body.bodySize(),
                     m_names.bankShown, [&](std::string_view block) { sha1.update(block); });
    } catch (...) {
        digestFailure = std::current_exception();
    }
    for (std::thread& thread : finishing) {
        thread.join();
    }
    if (digestFailure) {
        std::rethrow_exception(digestFailure);
    }
    for (const std::exception_ptr& failure : failures) {
        if (failure) {
            std::rethrow_exception(failure);
        }
    }
    finished.digest = digestText(sha1.finish());
    pwriteAll(m_body.fd(), finished.digest + "\r\n", 0, m_names.bankShown);

    head = finished.digest + "\r\n" + head;
    DeflatedFile& packed = finished.packed;
    deflatePiece(head, false, packed.head);
    deflatePiece({}, true, packed.tail);
    packed.body = m_names.packWork;
    packed.bodySize = m_packer.packedSize();
    packed.crc = crc32Join(crc32Of(head), m_packer.crc(), m_body.bodySize());
    packed.size = head.size() + m_body.bodySize();
    struct stat status {};
    packed.modified = ::fstat(m_body.fd(), &status) == 0 ? status.st_mtime : std::time(nullptr);

    finished.problems = m_check.problems(m_record001, record002, m_lines);
    return finished;
}

}  // namespace convertor

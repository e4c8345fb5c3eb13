#pragma once

#include <condition_variable>
#include <deque>
#include <exception>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "bankfile/BankFileCheck.h"
#include "bankfile/DeflatedFile.h"
#include "bankfile/PieceBuffer.h"

namespace convertor {

// Writes the bank work file. The converting thread appends records to a piece in memory; a
// second thread writes each full piece to the end of the work file, checks its records and,
// while it keeps up, packs the piece with Deflate into a scratch file, ready for the archive. At
// the end record 002 and the digest line are filled in place, so the file is never copied, and
// the body is read back once from the page cache by two threads at a time, while a third
// flushes it to disk: one takes the digest, the other packs what the writing thread left.
class BankFileWriter {
public:
    struct Names {
        std::filesystem::path bankWork;  // created and empty
        std::filesystem::path packWork;  // created and empty; holds the Deflate of the body
        std::string bankShown;           // the names errors give
        std::string archiveShown;
    };
    struct Finished {
        std::string digest;  // 40 upper-case hexadecimal digits
        DeflatedFile packed;
        std::vector<std::string> problems;  // of the check of every record
    };

    // Writes the digest line and record 002 as placeholders around record001. The records are
    // checked as the product writes them.
    BankFileWriter(Names names, std::string_view record001, std::optional<Product> product = std::nullopt);
    ~BankFileWriter();
    BankFileWriter(const BankFileWriter&) = delete;
    BankFileWriter& operator=(const BankFileWriter&) = delete;

    // One record of the body and its CR LF; control bytes go out as blanks, since a lone LF in a
    // record would break the bank's reading of lines. Throws IoError.
    void append(std::string_view record);
    // Fills record 002 and the digest line, and waits for the packing. Throws IoError.
    Finished finish(std::string_view record002);

private:
    // The Deflate of the body so far, in the scratch file: written by the writing thread while
    // it keeps up, then by the packing thread after the pass.
    struct Packing {
        int fd = -1;
        std::uint64_t bodyPacked = 0;  // bytes of the body packed, from its start
        std::uint32_t crc = 0;         // of those bytes
        std::uint64_t packedSize = 0;
        bool open = true;  // the writing thread packs its pieces
        std::vector<unsigned char> out;
    };

    void handOver();
    void work();
    void pack(std::string_view body);
    void packRest();
    void checkPiece(std::string_view piece);
    // Ends the writing thread once it has written what waits (drain) or at once.
    void stop(bool drain);

    Names m_names;
    int m_bank = -1;
    Packing m_packing;
    BankFileCheck m_check;  // the writing thread's until it ends
    long m_linesChecked = 3;
    std::string m_record001;
    std::size_t m_headSize = 0;
    long m_lines = 0;  // lines of the file so far, the head included

    PieceBuffer m_piece;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<PieceBuffer> m_full;
    std::vector<PieceBuffer> m_spare;
    bool m_closing = false;
    std::exception_ptr m_failure;
    std::uint64_t m_bodySize = 0;  // the writing thread's until it ends
    std::thread m_thread;
};

}  // namespace convertor

#pragma once

#include <atomic>
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

#include "base/Product.h"
#include "output/DeflatedFile.h"
#include "output/PieceBuffer.h"
#include "output/PieceConsumers.h"

namespace convertor {

// Writes the bank work file. The converting thread appends records to a piece in memory; a
// second thread, the writing thread, hands each full piece to its consumers: the body file, the
// check of every record and, while it keeps up, the packing for the archive. At the end record 002
// and the digest line are filled in place, so the file is never copied, and the body is read back
// once from the page cache for the digest while the consumers finish beside it: the file is
// flushed to disk and what the writing thread did not pack is packed.
//
// Threads: append() and finish() are the converting thread's; m_full, m_spare, m_closing and
// m_failure are shared under m_mutex; the consumers belong to the writing thread until it ends,
// then each to its finishing thread, then to the converting thread again.
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
    // Fills record 002 and the digest line, and waits for the consumers. Throws IoError.
    Finished finish(std::string_view record002);

private:
    void handOver();
    void work();
    void finishConsumers();
    // Ends the writing thread once it has written what waits (drain) or at once.
    void stop(bool drain);

    Names m_names;
    std::string m_record001;
    long m_lines = 3;  // lines of the file so far, the head included

    BodyFile m_body;
    RecordCheck m_check;
    std::atomic<std::size_t> m_waiting{0};  // m_full.size(), for the packer to see
    BodyPacker m_packer;
    std::vector<PieceConsumer*> m_consumers;

    PieceBuffer m_piece;  // being filled by the converting thread
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<PieceBuffer> m_full;
    std::vector<PieceBuffer> m_spare;
    bool m_closing = false;
    std::exception_ptr m_failure;
    std::thread m_thread;  // last: started once everything above is there
};

}  // namespace convertor

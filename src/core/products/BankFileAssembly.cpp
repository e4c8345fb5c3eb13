#include "products/BankFileAssembly.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "bankfile/AmountText.h"
#include "bankfile/FieldChecks.h"
#include "bankfile/FileDigest.h"
#include "bankfile/RecordTemplate.h"
#include "bankfile/RunOutputs.h"
#include "base/ConversionError.h"
#include "products/ConversionContext.h"
#include "text/Trim.h"

namespace convertor {

namespace {

constexpr long kMaxCount = 999'999;
constexpr std::int64_t kMaxTotal = 9'999'999'999'999'990;  // thousandths
constexpr std::size_t kDigestLine = DigestLine::kWidth + 2;

ConversionError totalTooLarge() {
    return ConversionError(
        "The total amount of the accepted lines is 10,000,000,000,000 or more, which does not fit "
        "the bank file. Split the source file and convert each part.");
}

IoError ioError(const std::string& what, const std::string& file) {
    return IoError(what + " " + file + ": " + std::strerror(errno));
}

// RAII for a raw descriptor.
class Fd {
public:
    explicit Fd(int fd) : m_fd(fd) {}
    ~Fd() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return m_fd; }
    int release() {
        int fd = m_fd;
        m_fd = -1;
        return fd;
    }

private:
    int m_fd;
};

}  // namespace

BankFileAssembly::BankFileAssembly(ConversionContext& ctx)
    : m_ctx(ctx), m_destination(ctx.request.destinationFile) {}

BankFileAssembly::~BankFileAssembly() {
    try {
        discardWorkFiles();
    } catch (...) {
        // Clean-up on the way out of a failed run must not hide the error that ended it.
    }
}

std::string BankFileAssembly::sequenceText(long acceptedCount) {
    if (acceptedCount > kMaxCount) {
        throw ConversionError(
            "The source file has more than 999,999 accepted lines, which do not fit the bank file. "
            "Split the source file and convert each part.");
    }
    return padLeftZeros(std::to_string(acceptedCount), 6);
}

void BankFileAssembly::addToTotal(std::int64_t& total, std::int64_t amount) {
    if (amount > kMaxTotal - total) {
        throw totalTooLarge();
    }
    total += amount;
}

void BankFileAssembly::openBankFile() {
    m_workFile = m_ctx.outputs.add("bank", m_destination).string();
    m_work = std::fopen(m_workFile.c_str(), "wb");
    if (m_work == nullptr) {
        throw ioError("Cannot create file", m_destination);
    }
    std::setvbuf(m_work, nullptr, _IOFBF, 1 << 20);
    // Room for the digest line on top and for record 002 after record 001: both are known only
    // at the end, and filling them in place spares copying the whole file twice.
    std::string head = std::string(kDigestLine - 2, '0') + "\r\n" + m_ctx.state.lineBuffer +
                       std::string(static_cast<std::size_t>(recordLength(2)), ' ') + "\r\n";
    m_record002Offset = static_cast<off_t>(kDigestLine + m_ctx.state.lineBuffer.size());
    if (std::fwrite(head.data(), 1, head.size(), m_work) != head.size() || std::fflush(m_work) != 0) {
        throw ioError("Cannot write file", m_destination);
    }
}

void BankFileAssembly::writeRecordLine(std::string_view record) {
    if (std::fwrite(record.data(), 1, record.size(), m_work) != record.size() ||
        std::fwrite("\r\n", 1, 2, m_work) != 2) {
        throw ioError("Cannot write file", m_destination);
    }
}

void BankFileAssembly::writeRecord(const RecordLine& record) {
    writeRecordLine(blankControlBytes(record.line()));
}

void BankFileAssembly::writeTrailerLine(long acceptedCount, std::int64_t totalThousandths) {
    m_countText = sequenceText(acceptedCount);
    auto total = convertor::totalText(totalThousandths);
    if (!total) {
        throw totalTooLarge();
    }
    m_totalThousandths = totalThousandths;
    m_totalText = *total;
    RecordTemplate<999> trailer;
    trailer.set(Record999::CreditCount, m_countText);
    trailer.set(Record999::TotalAmount, m_totalText);
    writeRecordLine(trailer.line());
    closeWork();
}

void BankFileAssembly::closeWork() {
    if (m_work != nullptr) {
        bool failed = std::fclose(m_work) != 0;
        m_work = nullptr;
        if (failed) {
            throw ioError("Cannot write file", m_destination);
        }
    }
}

std::string BankFileAssembly::finishBankFile(std::string_view record002) {
    auto record002Length = static_cast<std::size_t>(recordLength(2));
    if (record002.size() != record002Length) {
        throw ConversionError("Record 002 is " + std::to_string(record002.size()) + " characters long, not " +
                              std::to_string(record002Length));
    }
    Fd file(::open(m_workFile.c_str(), O_RDWR | O_CLOEXEC));
    if (file.get() < 0) {
        throw ioError("Cannot open file", m_destination);
    }
    std::string line2 = std::string(record002) + "\r\n";
    if (::pwrite(file.get(), line2.data(), line2.size(), m_record002Offset) !=
        static_cast<ssize_t>(line2.size())) {
        throw ioError("Cannot write file", m_destination);
    }
    // The digest covers everything after the digest line: record 001 to the trailer.
    Sha1 sha1;
    std::vector<char> buffer(1 << 20);
    off_t offset = kDigestLine;
    for (;;) {
        ssize_t got = ::pread(file.get(), buffer.data(), buffer.size(), offset);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            throw ioError("Cannot read file", m_destination);
        }
        if (got == 0) {
            break;
        }
        sha1.update(buffer.data(), static_cast<std::size_t>(got));
        offset += got;
    }
    std::string digest = digestText(sha1.finish());
    std::string digestLine = digest + "\r\n";
    if (::pwrite(file.get(), digestLine.data(), digestLine.size(), 0) !=
        static_cast<ssize_t>(digestLine.size())) {
        throw ioError("Cannot write file", m_destination);
    }

    ConversionState& state = m_ctx.state;
    if (m_totalThousandths > 0) {
        // The run's outputs flush it to disk before it takes the place of an older bank file.
        if (::close(file.release()) != 0) {
            throw ioError("Cannot write file", m_destination);
        }
        return digest;
    }
    state.hashValue.clear();
    m_ctx.op.setHashValue("");
    m_ctx.op.showMessage("Reformat data fail because data are rejected all transactions");
    return {};
}

void BankFileAssembly::discardWorkFiles() {
    if (m_work != nullptr) {
        std::fclose(m_work);
        m_work = nullptr;
    }
    m_ctx.op.setProgress(0);
}

}  // namespace convertor

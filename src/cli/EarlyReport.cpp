#include "EarlyReport.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <random>
#include <stdexcept>

#include "MarkingBuffer.h"
#include "ReportFile.h"

namespace convertor::cli {

namespace {

constexpr std::size_t kDigestLength = 40;

std::string randomPlaceholder() {
    std::random_device random;
    std::uniform_int_distribution<int> digit(0, 15);
    std::string text(kDigestLength, '0');
    for (char& c : text) {
        c = "0123456789ABCDEF"[digit(random)];
    }
    return text;
}

}  // namespace

EarlyReport::EarlyReport(std::filesystem::path file, std::filesystem::path reportDir)
    : m_file(std::move(file)), m_reportDir(std::move(reportDir)), m_placeholder(randomPlaceholder()) {
    m_work = m_file;
    m_work += ".part";
}

EarlyReport::~EarlyReport() {
    wait(true);
    if (m_begun && !m_done) {
        removeWork();
    }
}

void EarlyReport::begin(ReportValue report) {
    m_report = std::move(report);
    m_begun = true;
    m_thread = std::thread([this] { write(); });
}

void EarlyReport::wait(bool abandon) {
    if (abandon) {
        m_abandon = true;
    }
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

void EarlyReport::write() {
    try {
        std::ofstream file(m_work, std::ios::binary | std::ios::trunc);
        if (!file) {
            throw std::runtime_error("Cannot write report file " + m_file.string());
        }
        MarkingBuffer marking(*file.rdbuf(), m_placeholder, m_abandon, m_places);
        std::ostream out(&marking);
        out.exceptions(std::ios::badbit);  // an abandoned report stops at once
        writeReport(m_report, reportFormat(m_file.string()).value_or(ReportFormat::Html), m_reportDir, out);
        out.flush();
        file.close();
        if (!file) {
            throw std::runtime_error("Cannot write report file " + m_file.string());
        }
    } catch (const MarkingBuffer::Abandoned&) {
        // Nobody waits for it.
    } catch (const std::ios_base::failure&) {
        m_failure = std::make_exception_ptr(std::runtime_error("Cannot write report file " + m_file.string()));
    } catch (...) {
        m_failure = std::current_exception();
    }
}

bool EarlyReport::complete(const ReportValue& shown) {
    wait(false);
    if (m_failure) {
        removeWork();
        m_done = true;
        std::rethrow_exception(m_failure);
    }
    std::string digest;
    if (!sameButDigest(shown, digest) || (!m_places.empty() && digest.size() != m_placeholder.size())) {
        removeWork();
        m_done = true;
        return false;
    }
    if (!m_places.empty()) {
        fillDigest(digest);
    }
    std::filesystem::rename(m_work, m_file);
    m_done = true;
    return true;
}

// The variables may differ only where the placeholder stood; digest: what stands there now.
bool EarlyReport::sameButDigest(const ReportValue& shown, std::string& digest) const {
    if (shown.templateName != m_report.templateName || shown.variables.size() != m_report.variables.size() ||
        shown.datasets.size() != m_report.datasets.size()) {
        return false;
    }
    for (std::size_t i = 0; i < shown.variables.size(); ++i) {
        const auto& [name, value] = m_report.variables[i];
        if (shown.variables[i].first != name) {
            return false;
        }
        if (value == m_placeholder) {
            digest = shown.variables[i].second;
        } else if (shown.variables[i].second != value) {
            return false;
        }
    }
    for (std::size_t i = 0; i < shown.datasets.size(); ++i) {
        if (shown.datasets[i].name != m_report.datasets[i].name ||
            shown.datasets[i].columns != m_report.datasets[i].columns) {
            return false;
        }
    }
    return true;
}

void EarlyReport::fillDigest(const std::string& digest) const {
    const int fd = ::open(m_work.c_str(), O_WRONLY | O_CLOEXEC);
    bool written = fd >= 0;
    for (std::uint64_t place : m_places) {
        written = written && ::pwrite(fd, digest.data(), digest.size(), static_cast<off_t>(place)) ==
                                 static_cast<ssize_t>(digest.size());
    }
    if (fd >= 0 && ::close(fd) != 0) {
        written = false;
    }
    if (!written) {
        throw std::runtime_error("Cannot write report file " + m_file.string());
    }
}

void EarlyReport::removeWork() const {
    std::error_code ignored;
    std::filesystem::remove(m_work, ignored);
}

}  // namespace convertor::cli

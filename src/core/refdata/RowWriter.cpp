#include "refdata/RowWriter.h"

#include <utility>

namespace convertor {

RowWriter::RowWriter() : m_thread([this] { work(); }) {}

RowWriter::~RowWriter() {
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

void RowWriter::submit(Job job) {
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [&] { return m_jobs.size() < kPending || m_failure; });
    rethrowFailure(lock);
    m_jobs.push_back(std::move(job));
    lock.unlock();
    m_changed.notify_all();
}

void RowWriter::drain() {
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [&] { return m_jobs.empty() && !m_running; });
    rethrowFailure(lock);
}

void RowWriter::rethrowFailure(std::unique_lock<std::mutex>& lock) {
    if (m_failure) {
        std::exception_ptr failure = std::exchange(m_failure, nullptr);
        m_jobs.clear();
        lock.unlock();
        std::rethrow_exception(failure);
    }
}

void RowWriter::work() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [&] { return !m_jobs.empty() || m_stop; });
        // Jobs still queued when the writer goes are run first: its owner drains before it goes.
        if (m_jobs.empty()) {
            return;
        }
        Job job = std::move(m_jobs.front());
        m_jobs.pop_front();
        m_running = true;
        lock.unlock();
        std::exception_ptr failure;
        try {
            job();
        } catch (...) {
            failure = std::current_exception();
        }
        lock.lock();
        m_running = false;
        if (failure && !m_failure) {
            m_failure = failure;
            m_jobs.clear();
        }
        m_changed.notify_all();
    }
}

}  // namespace convertor

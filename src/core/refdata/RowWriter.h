#pragma once

#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

namespace convertor {

// Runs the writes of full row batches on a thread of its own, one after another in the order they
// were handed over, while the caller goes on filling the next rows. The connection the jobs write
// through belongs to this thread until drain() returns: nothing else may use it in between.
class RowWriter {
public:
    using Job = std::function<void()>;

    RowWriter();
    ~RowWriter();
    RowWriter(const RowWriter&) = delete;
    RowWriter& operator=(const RowWriter&) = delete;

    // Hands a job over, waiting while kPending are still to run. A job that throws drops the jobs
    // queued after it, and the next submit or drain rethrows what it threw.
    void submit(Job job);
    // Returns when every job handed over has run or been dropped.
    void drain();

private:
    static constexpr std::size_t kPending = 4;

    void work();
    void rethrowFailure(std::unique_lock<std::mutex>& lock);

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Job> m_jobs;
    bool m_running = false;  // a job taken off the queue is still running
    bool m_stop = false;
    std::exception_ptr m_failure;
    std::thread m_thread;  // last: started once everything above is there
};

}  // namespace convertor

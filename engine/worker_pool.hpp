#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// A few threads kept for one analysis, so that a gigabyte read in hundreds of batches does not
// start hundreds of threads.
//
// run() hands one task to the caller and to every helper and returns when all are done; the task
// must not throw. One run at a time, from the thread that owns the pool. Helpers start at the
// first run that needs them and stop when the pool is destroyed.
namespace fragtide::engine {

class WorkerPool {
public:
    explicit WorkerPool(unsigned helpers) : m_helpers(helpers) {}
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    // Calls task(0) on this thread and task(1) .. task(count - 1) on helpers, at most one per
    // helper (count <= helpers + 1).
    void run(unsigned count, const std::function<void(unsigned)>& task);

private:
    void work(unsigned index);

    unsigned m_helpers;
    std::vector<std::thread> m_threads;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_done;
    const std::function<void(unsigned)>* m_task = nullptr;
    unsigned m_count = 0;
    unsigned m_pending = 0;
    std::uint64_t m_round = 0;
    bool m_stop = false;
};

}  // namespace fragtide::engine

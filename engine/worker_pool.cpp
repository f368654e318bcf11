#include "engine/worker_pool.hpp"

namespace fragtide::engine {

WorkerPool::~WorkerPool() {
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    for (auto& thread : m_threads)
        thread.join();
}

void WorkerPool::run(unsigned count, const std::function<void(unsigned)>& task) {
    if (count > m_helpers + 1)
        count = m_helpers + 1;
    if (count > 1) {
        while (m_threads.size() < count - 1) {
            const auto index = static_cast<unsigned>(m_threads.size()) + 1;
            m_threads.emplace_back([this, index] { work(index); });
        }
        {
            std::lock_guard lock(m_mutex);
            m_task = &task;
            m_count = count;
            m_pending = count - 1;
            ++m_round;
        }
        m_wake.notify_all();
    }
    if (count > 0)
        task(0);
    if (count > 1) {
        std::unique_lock lock(m_mutex);
        m_done.wait(lock, [this] { return m_pending == 0; });
        m_task = nullptr;
    }
}

void WorkerPool::work(unsigned index) {
    std::uint64_t seen = 0;
    std::unique_lock lock(m_mutex);
    for (;;) {
        // A helper started late must not take the round already running as new, nor a round
        // meant for fewer helpers.
        m_wake.wait(lock, [&] { return m_stop || (m_round != seen && m_task); });
        if (m_stop)
            return;
        seen = m_round;
        if (index >= m_count)
            continue;
        const auto* task = m_task;
        lock.unlock();
        (*task)(index);
        lock.lock();
        if (--m_pending == 0)
            m_done.notify_one();
    }
}

}  // namespace fragtide::engine

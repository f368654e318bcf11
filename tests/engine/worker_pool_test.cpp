#include "engine/worker_pool.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

namespace fragtide::engine {
namespace {

// Runs of different widths one after another, as batches of different sizes make them: every
// index runs exactly once per run, index 0 on the caller, and nothing of one run leaks into the
// next.
TEST(WorkerPool, RunsEveryIndexOncePerRunWhateverTheWidth) {
    WorkerPool pool(3);
    const auto caller = std::this_thread::get_id();
    for (const unsigned count : {1u, 4u, 2u, 0u, 3u, 4u, 1u, 4u}) {
        SCOPED_TRACE("width " + std::to_string(count));
        std::vector<std::atomic<int>> calls(5);
        std::atomic<bool> zeroOnCaller{false};
        pool.run(count, [&](unsigned i) {
            ++calls[i];
            if (i == 0)
                zeroOnCaller = std::this_thread::get_id() == caller;
        });
        for (unsigned i = 0; i < calls.size(); ++i)
            EXPECT_EQ(calls[i], i < count ? 1 : 0) << "index " << i;
        EXPECT_EQ(zeroOnCaller, count > 0);
    }
}

TEST(WorkerPool, RunsNoMoreThanItsHelpersAndTheCaller) {
    WorkerPool pool(1);
    std::atomic<int> calls{0};
    std::set<unsigned> seen;
    std::mutex m;
    pool.run(4, [&](unsigned i) {
        ++calls;
        std::lock_guard lock(m);
        seen.insert(i);
    });
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(seen, (std::set<unsigned>{0, 1}));
}

}  // namespace
}  // namespace fragtide::engine

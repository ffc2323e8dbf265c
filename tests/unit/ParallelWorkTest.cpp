#include "publish/ParallelWork.h"

#include <atomic>
#include <gtest/gtest.h>
#include <stdexcept>
#include <thread>
#include <vector>

namespace quillmark {
namespace {

// Every index is worked on exactly once, whatever the count (small counts
// stay on one thread, large ones spread), and progress counts up from 1 to
// the end on the calling thread alone.
TEST(ParallelWorkTest, EveryIndexOnceAndProgressInOrderOnTheCallingThread) {
    for (const size_t count : {size_t{0}, size_t{1}, size_t{63}, size_t{5000}}) {
        SCOPED_TRACE(count);
        std::vector<std::atomic<int>> seen(count);
        std::atomic<int> workers{0};
        std::vector<size_t> progress;
        const std::thread::id caller = std::this_thread::get_id();
        bool progressElsewhere = false;
        ForEachIndexInParallel(
            count,
            [&] {
                ++workers;
                return TItemWork([&](size_t i) { ++seen[i]; });
            },
            [&](size_t done) {
                progressElsewhere |= std::this_thread::get_id() != caller;
                progress.push_back(done);
            });
        for (size_t i = 0; i < count; ++i)
            EXPECT_EQ(seen[i].load(), 1) << i;
        ASSERT_EQ(progress.size(), count);
        for (size_t i = 0; i < count; ++i)
            EXPECT_EQ(progress[i], i + 1);
        EXPECT_FALSE(progressElsewhere);
        EXPECT_GE(workers.load(), 1);
    }
}

// The first failure reaches the caller, and the other threads stop taking
// new items instead of working through the rest.
TEST(ParallelWorkTest, AFailureStopsTheWorkAndReachesTheCaller) {
    constexpr size_t kCount = 100000;
    std::atomic<size_t> worked{0};
    EXPECT_THROW(ForEachIndexInParallel(
                     kCount,
                     [&] {
                         return TItemWork([&](size_t i) {
                             ++worked;
                             if (i == 10)
                                 throw std::runtime_error("disk full");
                         });
                     },
                     {}),
                 std::runtime_error);
    EXPECT_LT(worked.load(), kCount);
}

} // namespace
} // namespace quillmark

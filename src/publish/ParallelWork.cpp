#include "publish/ParallelWork.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace quillmark {

namespace {

// Below this many items per thread, starting a thread costs more than it
// saves.
constexpr size_t kMinItemsPerThread = 64;
constexpr size_t kMaxThreads = 8;

size_t ThreadCount(size_t count) {
    const size_t cores = std::max<size_t>(1, std::thread::hardware_concurrency());
    return std::clamp<size_t>(count / kMinItemsPerThread, 1, std::min(cores, kMaxThreads));
}

// What the threads share: the next item to take, how many are done, and the
// first failure.
class TSharedRun {
public:
    explicit TSharedRun(size_t count) : count_(count) {}

    // The next index to work on; false when there is none left or a thread
    // failed.
    bool Take(size_t& index) {
        if (failed_.load(std::memory_order_relaxed))
            return false;
        index = next_.fetch_add(1, std::memory_order_relaxed);
        return index < count_;
    }
    void Done() { done_.fetch_add(1, std::memory_order_release); }
    size_t DoneCount() const { return done_.load(std::memory_order_acquire); }

    // Runs the worker over items until none is left, keeping the first
    // exception; `afterItem` runs after each item this thread finished.
    void Work(const TItemWork& work, const std::function<void()>& afterItem = {}) {
        size_t index = 0;
        try {
            while (Take(index)) {
                work(index);
                Done();
                if (afterItem)
                    afterItem();
            }
        } catch (...) {
            Fail(std::current_exception());
        }
    }

    void Fail(std::exception_ptr error) {
        const std::lock_guard lock(mutex_);
        if (!error_)
            error_ = std::move(error);
        failed_.store(true, std::memory_order_relaxed);
    }
    void RethrowFailure() const {
        if (error_)
            std::rethrow_exception(error_);
    }

private:
    const size_t count_;
    std::atomic<size_t> next_{0};
    std::atomic<size_t> done_{0};
    std::atomic<bool> failed_{false};
    std::mutex mutex_;
    std::exception_ptr error_;
};

} // namespace

void ForEachIndexInParallel(size_t count, const std::function<TItemWork()>& makeWorker,
                            const std::function<void(size_t done)>& progress) {
    const size_t threads = ThreadCount(count);
    std::vector<TItemWork> workers;
    workers.reserve(threads);
    for (size_t i = 0; i < threads; ++i)
        workers.push_back(makeWorker());

    TSharedRun run(count);
    size_t reported = 0;
    const auto report = [&](size_t upTo) {
        while (progress && reported < upTo)
            progress(++reported);
    };
    {
        std::vector<std::jthread> helpers;
        helpers.reserve(threads - 1);
        for (size_t i = 1; i < threads; ++i)
            helpers.emplace_back([&run, &worker = workers[i]] { run.Work(worker); });
        // The calling thread works too and reports progress between its items.
        run.Work(workers[0], [&] { report(run.DoneCount()); });
    } // joins the helpers
    run.RethrowFailure();
    report(count);
}

} // namespace quillmark

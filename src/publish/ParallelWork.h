#pragma once

#include <cstddef>
#include <functional>

namespace quillmark {

// The work one thread does for one item, by the item's index.
using TItemWork = std::function<void(size_t index)>;

// Calls a worker once for every index below `count`, spread over the cores
// of the machine: `makeWorker` is called on the calling thread once for each
// thread taking part, before any starts, and that thread calls the function
// it returned (so each can keep its own buffers). Items are taken in index
// order; small counts run on the calling thread alone.
//
// `progress(done)` is called on the calling thread only, for every count of
// finished items from 1 to `count` in turn (several calls may come at once).
// The first exception a worker raises stops the others taking new items and
// is raised again here, once every thread has stopped.
void ForEachIndexInParallel(size_t count, const std::function<TItemWork()>& makeWorker,
                            const std::function<void(size_t done)>& progress);

} // namespace quillmark

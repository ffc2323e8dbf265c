#include "platform/Clock.h"

#include <chrono>

namespace quillmark {

std::uint64_t TSteadyClock::TickCountMs() const {
    using namespace std::chrono;
    return static_cast<std::uint64_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

} // namespace quillmark

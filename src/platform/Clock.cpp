#include "platform/Clock.h"

#include <chrono>
#include <thread>

namespace quillmark {

std::uint64_t TSteadyClock::TickCountMs() const {
    using namespace std::chrono;
    return static_cast<std::uint64_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void TSteadyClock::SleepMs(std::uint32_t ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

} // namespace quillmark

#pragma once

#include "platform/Clock.h"

#include <cstdint>

namespace quillmark::testing {

// A clock that moves only when told: `Now` is the tick count, and a sleep
// moves it on at once instead of waiting.
class FakeClock final : public IClock {
public:
    explicit FakeClock(std::uint64_t now = 1000) : Now(now) {}
    std::uint64_t TickCountMs() const override { return Now; }
    void SleepMs(std::uint32_t ms) override { Now += ms; }

    std::uint64_t Now;
};

} // namespace quillmark::testing

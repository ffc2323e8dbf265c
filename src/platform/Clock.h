#pragma once

#include <cstdint>

namespace quillmark {

// A millisecond tick counter. Only differences between two readings mean
// anything; tests drive time forward with a fake.
class IClock {
public:
    virtual ~IClock() = default;
    virtual std::uint64_t TickCountMs() const = 0;
    // Lets `ms` milliseconds pass before returning (a poll's pause between
    // two looks); a test's clock moves on at once instead.
    virtual void SleepMs(std::uint32_t ms) = 0;
};

// The monotonic clock of the system.
class TSteadyClock final : public IClock {
public:
    std::uint64_t TickCountMs() const override;
    void SleepMs(std::uint32_t ms) override;
};

} // namespace quillmark

// A once-a-period tick on the platform's clock (the level clock's second): ticks fall due
// on the clock and never stack.
#pragma once

#include <algorithm>
#include <cstdint>

namespace tk {

class Ticker {
public:
    explicit Ticker(std::uint64_t periodMs) : period_(std::max<std::uint64_t>(periodMs, 1)) {}

    // The first tick falls one period after the start.
    void Start(std::uint64_t now) {
        running_ = true;
        dueAt_ = now + period_;
    }
    void Stop() { running_ = false; }
    bool Running() const { return running_; }
    std::uint64_t dueAt() const { return dueAt_; }

    // True once per due tick. The next tick falls on the next whole period after `now`:
    // ticks that fell due while the program was busy are not stacked.
    bool TakeTick(std::uint64_t now) {
        if (!running_ || now < dueAt_) return false;
        dueAt_ += period_ * ((now - dueAt_) / period_ + 1);
        return true;
    }

private:
    std::uint64_t period_;
    std::uint64_t dueAt_ = 0;
    bool running_ = false;
};

}  // namespace tk

// The one-second timer of the clock: ticks fall due on the platform's clock and never stack.
#pragma once

#include <algorithm>
#include <cstdint>

namespace tk {

struct Timer {
    bool Enabled = false;
    int Interval = 1000;      // ms
    std::uint64_t dueAt = 0;  // platform clock, ms

    // The first tick falls one interval after enabling.
    void Enable(bool on, std::uint64_t now) {
        Enabled = on;
        if (on) dueAt = now + static_cast<std::uint64_t>(Interval);
    }
    // True once per due tick. The next tick falls on the next whole interval after `now`:
    // ticks that fell due while events were held back are not stacked.
    bool TakeTick(std::uint64_t now) {
        if (!Enabled || now < dueAt) return false;
        const auto interval = static_cast<std::uint64_t>(std::max(Interval, 1));
        dueAt += interval * ((now - dueAt) / interval + 1);
        return true;
    }
};

}  // namespace tk

// Whether the mouse pointer shows over the window: it comes with motion and goes after a
// few seconds without any, or at once when a key is used, so it never stands over the board.
#pragma once

#include <cstdint>

namespace tk {

class PointerShown {
public:
    static constexpr std::uint64_t kIdleMs = 3000;

    void Moved(std::uint64_t now) {
        shown_ = true;
        since_ = now;
    }
    void KeyUsed() { shown_ = false; }
    bool Shown(std::uint64_t now) {
        if (shown_ && now >= since_ + kIdleMs) shown_ = false;
        return shown_;
    }
    // When it goes by itself; never while it is hidden.
    std::uint64_t HidesAt() const { return shown_ ? since_ + kIdleMs : UINT64_MAX; }

private:
    bool shown_ = true;
    std::uint64_t since_ = 0;
};

}  // namespace tk

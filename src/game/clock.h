// The countdown clock: the seconds left, its once-a-second tick and the text of its label.
#pragma once

#include <cstdint>
#include <string>

#include "platform/controls.h"
#include "platform/platform.h"
#include "platform/timer.h"
#include "services/sound_effects.h"

namespace tk {

class Clock {
public:
    Clock(Label& label, SoundEffects& sounds) : label_(label), sounds_(sounds) {}

    // Minutes and seconds, at least two digits each side of the colon ("100:00" at 6000 s).
    static std::string Text(int seconds);

    // A new level's full time, shown at once; the clock does not run yet.
    void Set(std::int16_t seconds);
    void Start(std::uint64_t now) { timer_.Enable(true, now); }
    void Stop() { timer_.Enable(false, 0); }
    bool Running() const { return timer_.Enabled; }
    // Counts the second that fell due, if one did (ticks held back do not stack).
    void TakeTick(std::uint64_t now) {
        if (timer_.TakeTick(now)) Tick();
    }
    // When the next second falls due; never while the clock stands still.
    std::uint64_t NextTick() const { return timer_.Enabled ? timer_.dueAt : kNoDeadline; }
    // One second: down to 0 and no further, the warning in the last ten seconds.
    void Tick();

    std::int16_t timeLeft() const { return timeLeft_; }
    void setTimeLeft(std::int16_t seconds) { timeLeft_ = seconds; }

private:
    Label& label_;
    SoundEffects& sounds_;
    Timer timer_;
    std::int16_t timeLeft_ = 0;
};

}  // namespace tk

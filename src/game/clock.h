// The countdown clock: the seconds left, its once-a-second tick and the text it shows.
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"
#include "platform/ticker.h"
#include "services/sound_effects.h"

namespace tk {

class Clock {
public:
    // `shown` is where the clock's text goes on screen.
    Clock(std::string& shown, SoundEffects& sounds) : shown_(shown), sounds_(sounds) {}

    // Minutes and seconds, at least two digits each side of the colon ("100:00" at 6000 s).
    static std::string Text(int seconds);

    // A new level's full time, shown at once; the clock does not run yet.
    void Set(std::int16_t seconds);
    void Start(std::uint64_t now) { ticker_.Start(now); }
    void Stop() { ticker_.Stop(); }
    bool Running() const { return ticker_.Running(); }
    // Counts the second that fell due, if one did (ticks held back do not stack).
    void TakeTick(std::uint64_t now) {
        if (ticker_.TakeTick(now)) Tick();
    }
    // When the next second falls due; never while the clock stands still.
    std::uint64_t NextTick() const { return ticker_.Running() ? ticker_.dueAt() : kNoDeadline; }
    // One second: down to 0 and no further, the warning in the last ten seconds.
    void Tick();

    std::int16_t timeLeft() const { return timeLeft_; }
    void setTimeLeft(std::int16_t seconds) { timeLeft_ = seconds; }

private:
    std::string& shown_;
    SoundEffects& sounds_;
    Ticker ticker_{1000};
    std::int16_t timeLeft_ = 0;
};

}  // namespace tk

// When a part of the program wants the frame loop to come back to it, and pauses that count
// their time from the moment their picture is on screen.
#pragma once

#include <algorithm>
#include <cstdint>

#include "platform/platform.h"

namespace tk {

struct Wake {
    std::uint64_t at = kNoDeadline;  // the time of its next step
    bool onInput = false;            // also as soon as a key or typed text arrives
    // What the player pressed meanwhile may run now, before the wait: a level lets it at
    // the start of each pass and in every frame of an animation, and nowhere else.
    bool letEventsRun = false;

    static Wake Now(std::uint64_t now) { return {now, false}; }
    static Wake OnInput() { return {kNoDeadline, true}; }
    // Whichever of the two comes first.
    static Wake Sooner(Wake a, Wake b) { return {std::min(a.at, b.at), a.onInput || b.onInput}; }
};

// A picture that must stand a given time from the moment it is on screen, so that painting
// it and putting it on screen take nothing from that time. The frame loop tells the moment
// (Shown) after each time it puts the window on screen.
class Pause {
public:
    // Begins standing once the picture drawn now is on screen.
    void Begin(std::uint64_t ms) {
        ms_ = ms;
        until_ = kNotYetShown;
    }
    void Shown(std::uint64_t at) {
        if (until_ == kNotYetShown) until_ = at + ms_;
    }
    void End() { until_ = 0; }

    bool Standing() const { return until_ != 0; }
    bool OnScreen() const { return Standing() && until_ != kNotYetShown; }
    bool Over(std::uint64_t now) const { return OnScreen() && now >= until_; }
    // Back as soon as the picture is on screen, then when its time is up.
    Wake wake() const { return OnScreen() ? Wake{until_, false} : Wake::Now(0); }

private:
    static constexpr std::uint64_t kNotYetShown = kNoDeadline;
    std::uint64_t ms_ = 0;
    std::uint64_t until_ = 0;
};

}  // namespace tk

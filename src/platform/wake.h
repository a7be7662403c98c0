// When a part of the program wants the frame loop to come back to it.
#pragma once

#include <algorithm>
#include <cstdint>

#include "platform/platform.h"

namespace tk {

struct Wake {
    std::uint64_t at = kNoDeadline;  // the time of its next step
    bool onInput = false;            // also as soon as a key or typed text arrives

    static Wake Now(std::uint64_t now) { return {now, false}; }
    static Wake OnInput() { return {kNoDeadline, true}; }
    // Whichever of the two comes first.
    static Wake Sooner(Wake a, Wake b) { return {std::min(a.at, b.at), a.onInput || b.onInput}; }
};

}  // namespace tk

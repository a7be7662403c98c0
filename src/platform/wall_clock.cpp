// The machine's calendar clock, the same on every platform that has the C++ library's.
#include <chrono>

#include "platform/platform.h"

namespace tk {

std::int64_t Platform::UtcSeconds() {
    // The system clock counts from 1970-01-01 00:00 UTC, leap seconds left out.
    return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

}  // namespace tk

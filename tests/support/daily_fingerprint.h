// The day's puzzle of a few dates as every build of the game must make it, whatever the
// compiler or the machine: a fingerprint of the level file it makes. The desktop's tests and
// the web page's both check these, so a daily puzzle is the same level in both.
#pragma once

#include <cstdint>
#include <string>

#include "puzzle/daily.h"
#include "puzzle/level_file.h"
#include "puzzle/play_generator.h"

namespace tk::test {

// FNV-1a over the level file the day's puzzle writes.
inline std::uint64_t dailyFingerprint(const CivilDate& date) {
    const std::string text = writeLevel(generateForPlay(dailyBand(date), dailySeed(date)).level);
    std::uint64_t hash = 14695981039346656037ull;
    for (const unsigned char c : text) hash = (hash ^ c) * 1099511628211ull;
    return hash;
}

struct DailyFingerprint {
    CivilDate date;
    std::uint64_t fingerprint;
};

// A day of each band (Monday easy, Tuesday medium, Thursday hard, Saturday expert).
inline constexpr DailyFingerprint kDailyFingerprints[] = {
    {{2025, 6, 9}, 0x21bf26ba7a57203aull},
    {{2025, 6, 10}, 0x5d9d553bc7db1ba4ull},
    {{2025, 6, 12}, 0xa66ec9a6790f1b26ull},
    {{2025, 6, 14}, 0xc052778ae886279eull},
};

}  // namespace tk::test

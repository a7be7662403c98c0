// The day's puzzle: the date in UTC, and the seed and band that date gives, the same for every player.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "puzzle/generator.h"

namespace tk {

// A day of the Gregorian calendar.
struct CivilDate {
    int year = 1970;
    int month = 1;  // 1..12
    int day = 1;    // 1..31
    friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

// The UTC date of a moment given in seconds since 1970-01-01 00:00 UTC: a new day starts
// at midnight UTC wherever the player is.
CivilDate utcDateOf(std::int64_t secondsSinceEpoch);
// "2025-06-12".
std::string isoDate(const CivilDate& date);
// The date of "2025-06-12"; nullopt for anything else, or a day the calendar does not have.
std::optional<CivilDate> parseIsoDate(std::string_view text);

// The seed of the day's level: a function of the date alone.
std::uint64_t dailySeed(const CivilDate& date);
// The week grows harder: Monday easy, Tuesday and Wednesday medium, Thursday and Friday
// hard, the weekend expert.
Difficulty dailyBand(const CivilDate& date);

// The day's best time is kept beside the levels' under "daily/2025-06-12": a level's name
// never holds a '/', so the two cannot meet.
std::string dailyBestKey(const CivilDate& date);
bool isDailyBestKey(std::string_view name);

}  // namespace tk

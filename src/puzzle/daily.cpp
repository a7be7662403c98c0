// The UTC calendar date and the day's seed and band.
#include "puzzle/daily.h"

#include <chrono>
#include <cstdio>

namespace tk {

namespace {

std::chrono::sys_days daysOf(const CivilDate& date) {
    return std::chrono::sys_days{std::chrono::year{date.year} / std::chrono::month{static_cast<unsigned>(date.month)} /
                                 std::chrono::day{static_cast<unsigned>(date.day)}};
}

// Days since 1970-01-01, rounded down for moments before it.
std::int64_t daysSinceEpoch(std::int64_t seconds) {
    constexpr std::int64_t kDay = 86400;
    return seconds >= 0 ? seconds / kDay : -((-seconds + kDay - 1) / kDay);
}

}  // namespace

CivilDate utcDateOf(std::int64_t secondsSinceEpoch) {
    const std::chrono::year_month_day ymd{
        std::chrono::sys_days{std::chrono::days{daysSinceEpoch(secondsSinceEpoch)}}};
    return CivilDate{static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
                     static_cast<int>(static_cast<unsigned>(ymd.day()))};
}

std::string isoDate(const CivilDate& date) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

std::optional<CivilDate> parseIsoDate(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    const auto number = [&](std::size_t from, std::size_t count) {
        int n = 0;
        for (std::size_t i = from; i < from + count; ++i) {
            if (text[i] < '0' || text[i] > '9') return -1;
            n = n * 10 + (text[i] - '0');
        }
        return n;
    };
    const CivilDate date{number(0, 4), number(5, 2), number(8, 2)};
    if (date.year < 0 || date.month < 1 || date.day < 1) return std::nullopt;
    const std::chrono::year_month_day ymd{std::chrono::year{date.year},
                                          std::chrono::month{static_cast<unsigned>(date.month)},
                                          std::chrono::day{static_cast<unsigned>(date.day)}};
    if (!ymd.ok()) return std::nullopt;
    return date;
}

std::uint64_t dailySeed(const CivilDate& date) {
    // Mixed, so that neighbouring days give unrelated levels and no day's seed is the
    // seed a player may have chosen for a random level.
    constexpr std::uint64_t kDailySalt = 0x6b756c6170646179ull;
    const auto days = static_cast<std::uint64_t>(daysOf(date).time_since_epoch().count());
    return SplitMix64(days ^ kDailySalt).Next();
}

Difficulty dailyBand(const CivilDate& date) {
    switch (std::chrono::weekday{daysOf(date)}.iso_encoding()) {
        case 1: return Difficulty::Easy;
        case 2:
        case 3: return Difficulty::Medium;
        case 4:
        case 5: return Difficulty::Hard;
        default: return Difficulty::Expert;
    }
}

namespace {
constexpr std::string_view kDailyKeyPrefix = "daily/";
}  // namespace

std::string dailyBestKey(const CivilDate& date) { return std::string(kDailyKeyPrefix) + isoDate(date); }

bool isDailyBestKey(std::string_view name) {
    return name.substr(0, kDailyKeyPrefix.size()) == kDailyKeyPrefix &&
           parseIsoDate(name.substr(kDailyKeyPrefix.size())).has_value();
}

}  // namespace tk

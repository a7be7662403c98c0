// Reading scores.txt leniently where it does no harm, setting a damaged one aside, and writing it whole.
#include "app/best_times.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <limits>
#include <sys/stat.h>

#include "puzzle/daily.h"
#include "puzzle/level_file.h"
#include "puzzle/regular_file.h"
#include "puzzle/text_lines.h"

namespace tk {

namespace {

// A file of bests for thousands of levels stays far below this; anything larger is not one.
constexpr std::size_t kMostBytes = 1 << 20;

}  // namespace

bool isBestTimeKey(std::string_view name) { return isPlainLevelName(name) || isDailyBestKey(name); }

std::string writeBestTimes(const std::map<std::string, std::int16_t>& bests) {
    std::string text;
    for (const auto& [level, seconds] : bests) text += std::to_string(seconds) + " " + level + "\r\n";
    return text;
}

std::optional<std::map<std::string, std::int16_t>> parseBestTimes(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    int total = 0;
    std::map<std::string, std::int16_t> bests;
    for (std::string_view line : splitLines(text, std::numeric_limits<int>::max() - 1, total)) {
        if (line.empty()) continue;  // a blank line of a hand edit harms nothing
        const std::size_t space = line.find(' ');
        if (space == 0 || space == std::string_view::npos) return std::nullopt;
        int seconds = -1;
        const auto [end, err] = std::from_chars(line.data(), line.data() + space, seconds);
        if (err != std::errc{} || end != line.data() + space || seconds < 0 ||
            seconds > std::numeric_limits<std::int16_t>::max())
            return std::nullopt;
        const std::string_view level = line.substr(space + 1);
        if (!isBestTimeKey(level)) return std::nullopt;
        // The game never writes a level twice; should a hand edit, the better time counts.
        auto [at, fresh] = bests.emplace(std::string(level), static_cast<std::int16_t>(seconds));
        if (!fresh && at->second < seconds) at->second = static_cast<std::int16_t>(seconds);
    }
    return bests;
}

std::optional<std::map<std::string, std::int16_t>> BestTimes::ReadLocked(const char* goingOn, bool tellUnreadable) {
    // No file yet: no bests yet.
    struct stat st {};
    if (::lstat(path_.c_str(), &st) != 0 && errno == ENOENT) return std::nullopt;
    std::string text, why;
    if (!readRegularFile(path_, kMostBytes + 1, text, why)) {
        // A folder or a device in its place is nothing the game should move.
        if (tellUnreadable) warn_("cannot read the best times " + path_ + ": " + why + "; " + goingOn);
        return std::nullopt;
    }
    std::optional<std::map<std::string, std::int16_t>> read;
    if (text.size() <= kMostBytes) read = parseBestTimes(text);
    if (read) return read;
    // Kept for whoever wants to look at it; the next new best starts a fresh file.
    std::string aside;
    if (files_.SetAside(path_, aside, why)) {
        warn_("the best times " + path_ + " are damaged; moved to " + aside + ", " + goingOn);
        setAsideAs_ = aside;
    } else {
        warn_("the best times " + path_ + " are damaged and cannot be moved aside (" + why + "); " + goingOn);
    }
    return std::nullopt;
}

void BestTimes::Load() {
    const PlayerFiles::Lock lock = files_.LockFolderOf(path_);
    best_ = ReadLocked("playing without them", true).value_or(std::map<std::string, std::int16_t>{});
}

std::optional<std::int16_t> BestTimes::Best(const std::string& level) const {
    const auto it = best_.find(level);
    if (it == best_.end()) return std::nullopt;
    return it->second;
}

bool BestTimes::Record(const std::string& level, std::int16_t secondsLeft) {
    // A level whose clock ran below zero (a broken file) has no time to keep.
    if (secondsLeft < 0 || !isBestTimeKey(level)) return false;
    const PlayerFiles::Lock lock = files_.LockFolderOf(path_);
    // Another game may have kept bests since this one read the file: the better wins.
    // (A file that cannot be read was told at start-up.)
    if (auto now = ReadLocked("keeping the bests of this game", false)) {
        for (const auto& [name, seconds] : *now) {
            auto [at, fresh] = best_.emplace(name, seconds);
            if (!fresh && at->second < seconds) at->second = seconds;
        }
    }
    const auto it = best_.find(level);
    if (it != best_.end() && it->second >= secondsLeft) return false;
    best_[level] = secondsLeft;
    std::string why;
    notKept_.clear();
    if (!files_.Write(path_, writeBestTimes(best_), PlayerFiles::Link::WriteThrough, why)) {
        notKept_ = why;
        warn_("cannot keep the best times: " + why + "; they hold until the game ends");
    }
    return true;
}

int BestTimes::InAll() const {
    // The levels' bests only: the days' puzzles are no part of the chain of levels.
    long long sum = 0;
    for (const auto& entry : best_)
        if (!isDailyBestKey(entry.first)) sum += entry.second;
    return static_cast<int>(std::min<long long>(sum, std::numeric_limits<int>::max()));
}

}  // namespace tk

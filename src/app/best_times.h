// Best times: for each level, the most seconds its clock had left when it was won, kept in scores.txt.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "platform/player_files.h"

namespace tk {

// The file has one line per level, "<seconds> <level name>", in CR LF lines like the
// settings; a day's puzzle has its line under its own key ("daily/2025-06-12"). It is never needed: a missing file is no bests yet, and a damaged one is
// set aside (PlayerFiles::SetAside) so that play goes on with none. Several games may
// keep bests in the same file at once: each new best is merged into the file as it is
// then, the better of two bests winning, so that no game loses another's.
class BestTimes {
public:
    // `warn` takes a line for whoever started the game (standard error).
    BestTimes(PlayerFiles& files, std::string path, std::function<void(const std::string&)> warn)
        : files_(files), path_(std::move(path)), warn_(std::move(warn)) {}

    // Reads the file; a problem is a warning, never more.
    void Load();
    std::optional<std::int16_t> Best(const std::string& level) const;
    // Keeps `secondsLeft` when it beats the level's best (as this game knows it, or as
    // the file now holds it) or the level has none, and writes the file whole; true when
    // it did. A file that cannot be written is a warning, NotKept says why, and the best
    // still counts for this run.
    bool Record(const std::string& level, std::int16_t secondsLeft);
    // The sum of every level's best, in seconds (at most the largest int); the days' puzzles
    // are left out.
    int InAll() const;

    // Why the last new best could not be written to the file; empty when it was.
    const std::string& NotKept() const { return notKept_; }
    // Where a damaged file was moved at start-up; empty when none was.
    const std::string& SetAsideAs() const { return setAsideAs_; }

private:
    // Reads the file under the lock, setting a damaged one aside; nullopt when there was
    // nothing to read (no file, or one that cannot be read, which `warn` tells when
    // `tellUnreadable`).
    std::optional<std::map<std::string, std::int16_t>> ReadLocked(const char* goingOn, bool tellUnreadable);

    PlayerFiles& files_;
    std::string path_;
    std::function<void(const std::string&)> warn_;
    std::map<std::string, std::int16_t> best_;
    std::string notKept_;
    std::string setAsideAs_;
};

// A level's name, or a day's puzzle's key (dailyBestKey).
bool isBestTimeKey(std::string_view name);

// The text of a scores file, and back; nullopt for a text that is not one.
std::string writeBestTimes(const std::map<std::string, std::int16_t>& bests);
std::optional<std::map<std::string, std::int16_t>> parseBestTimes(std::string_view text);

}  // namespace tk

// Best times: for each level, the most seconds its clock had left when it was won, kept in scores.txt.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace tk {

// The file has one line per level, "<seconds> <level name>", in CR LF lines like the
// settings. It is never needed: a missing file is no bests yet, and a damaged one is
// set aside as "<file>.bad" so that play goes on with none.
class BestTimes {
public:
    // `warn` takes a line for whoever started the game (standard error).
    BestTimes(std::string path, std::function<void(const std::string&)> warn)
        : path_(std::move(path)), warn_(std::move(warn)) {}

    // Reads the file; a problem is a warning, never more.
    void Load();
    std::optional<std::int16_t> Best(const std::string& level) const;
    // Keeps `secondsLeft` when it beats the level's best or the level has none, and
    // writes the file whole; true when it did. A file that cannot be written is a
    // warning, and the best still counts for this run.
    bool Record(const std::string& level, std::int16_t secondsLeft);
    // The sum of every best, in seconds (at most the largest int).
    int InAll() const;

private:
    std::string path_;
    std::function<void(const std::string&)> warn_;
    std::map<std::string, std::int16_t> best_;
};

// The text of a scores file, and back; nullopt for a text that is not one.
std::string writeBestTimes(const std::map<std::string, std::int16_t>& bests);
std::optional<std::map<std::string, std::int16_t>> parseBestTimes(std::string_view text);

}  // namespace tk

// Reading the settings file by line position, and saving the changed settings whole, merged with the file as it is.
#include "app/settings.h"

#include <vector>

#include "platform/fatal_error.h"
#include "puzzle/level_file.h"
#include "puzzle/regular_file.h"
#include "puzzle/text_lines.h"
#include "puzzle/utf8.h"

namespace tk {

namespace {

// Where "Play" starts when the settings name a level that may not be loaded.
constexpr const char* kFirstShippedLevel = "01";
// Only the first three lines matter; a device or a runaway file given as the settings
// must not hold start-up up, so reading stops after a megabyte.
constexpr std::size_t kMostRead = 1 << 20;

// The rest of a UTF-8 line from its seventh character on: a character is counted
// by its first byte, so a name with accents is cut between characters, not inside one.
std::string fromSeventhCharacter(std::string_view line) { return std::string(line.substr(utf8Offset(line, 6))); }

std::string textOf(const Settings& settings) {
    return std::string("fullscreen:") + (settings.fullscreenOn ? "on" : "off") + "\r\n" + "music:" +
           (settings.musicOn ? "on" : "off") + "\r\n" + "level:" + settings.currentLevel + "\r\n";
}

}  // namespace

std::optional<Settings> parseSettings(std::string text, const std::string& path, std::string& problem,
                                      std::string* warning) {
    // An editor's byte-order mark is not part of the first line.
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);
    // Lines end in CR LF as the game writes them, but a file edited by hand may use
    // LF or CR alone; a last line without an ending still counts.
    int total = 0;
    const std::vector<std::string_view> lines = splitLines(text, 3, total);
    if (lines.size() < 3) {
        problem = "it has " + std::to_string(lines.size()) + " line" + (lines.size() == 1 ? "" : "s") +
                  ", three are needed";
        return std::nullopt;
    }
    // Each line is taken by its position; the keys are not searched for.
    Settings settings;
    settings.fullscreenOn = lines[0] == "fullscreen:on";
    settings.musicOn = lines[1] == "music:on";
    settings.currentLevel = fromSeventhCharacter(lines[2]);
    // The name is joined into a path when "Play" is chosen, so it must stay a name in
    // the levels folder, as the level chooser demands. (An empty name stays empty.)
    if (!settings.currentLevel.empty() && !isPlainLevelName(settings.currentLevel)) {
        if (warning)
            *warning = "the level named on line 3 of " + path + " is not a plain level name; \"Play\" starts with level " +
                       kFirstShippedLevel;
        settings.currentLevel = kFirstShippedLevel;
    }
    return settings;
}

Settings readSettings(const std::string& path, std::string* warning) {
    std::string text, why;
    if (!readRegularFile(path, kMostRead, text, why))
        throw FatalError("Cannot read the settings file " + path + ": " + why);
    std::optional<Settings> settings = parseSettings(std::move(text), path, why, warning);
    if (!settings) throw FatalError("Cannot read the settings file " + path + ": " + why);
    return *settings;
}

bool saveSettings(PlayerFiles& files, const std::string& path, const Settings& settings, unsigned changedSettings,
                  std::string& why) {
    const PlayerFiles::Lock lock = files.LockFolderOf(path);
    // Another game may have saved its own choices since this one started: they stay,
    // unless this game has changed the same setting since (the later choice wins).
    Settings merged = settings;
    std::string text, problem;
    if (readRegularFile(path, kMostRead, text, problem)) {
        if (const std::optional<Settings> now = parseSettings(std::move(text), path, problem)) {
            merged = *now;
            if (changedSettings & changed::kFullscreen) merged.fullscreenOn = settings.fullscreenOn;
            if (changedSettings & changed::kMusic) merged.musicOn = settings.musicOn;
            if (changedSettings & changed::kLevel) merged.currentLevel = settings.currentLevel;
        }
    }
    return files.Write(path, textOf(merged), PlayerFiles::Link::WriteThrough, why);
}

}  // namespace tk

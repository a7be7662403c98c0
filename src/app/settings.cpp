// Reading the settings file by line position, and writing it whole or not at all.
#include "app/settings.h"

#include <vector>

#include "app/settings_io.h"
#include "platform/fatal_error.h"
#include "puzzle/level_file.h"
#include "puzzle/regular_file.h"
#include "puzzle/text_lines.h"
#include "puzzle/utf8.h"

namespace tk {

namespace {

// Where "Play" starts when the settings name a level that may not be loaded.
constexpr const char* kFirstShippedLevel = "01";

// The rest of a UTF-8 line from its seventh character on: a character is counted
// by its first byte, so a name with accents is cut between characters, not inside one.
std::string fromSeventhCharacter(std::string_view line) { return std::string(line.substr(utf8Offset(line, 6))); }

}  // namespace

Settings readSettings(const std::string& path, std::string* warning) {
    // Only the first three lines matter; a device or a runaway file given as the
    // settings must not hold start-up up, so reading stops after a megabyte, and
    // anything but a regular file is refused.
    constexpr std::size_t kMostRead = 1 << 20;
    std::string text, why;
    if (!readRegularFile(path, kMostRead, text, why))
        throw FatalError("Cannot read the settings file " + path + ": " + why);
    // An editor's byte-order mark is not part of the first line.
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);

    // Lines end in CR LF as the game writes them, but a file edited by hand may use
    // LF or CR alone; a last line without an ending still counts.
    int total = 0;
    const std::vector<std::string_view> lines = splitLines(text, 3, total);
    if (lines.size() < 3) {
        throw FatalError("Cannot read the settings file " + path + ": it has " + std::to_string(lines.size()) +
                         " line" + (lines.size() == 1 ? "" : "s") + ", three are needed");
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

bool writeSettings(const std::string& path, const Settings& settings, std::string& why) {
    const std::string text = std::string("fullscreen:") + (settings.fullscreenOn ? "on" : "off") + "\r\n" +
                             "music:" + (settings.musicOn ? "on" : "off") + "\r\n" + "level:" +
                             settings.currentLevel + "\r\n";
    return writeSettingsFile(path, text, why);
}

}  // namespace tk

// Reading the settings file (the described lines by position, the window's by key), and saving the changed settings whole, merged with the file as it is.
#include "app/settings.h"

#include <charconv>
#include <limits>
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

// The rest of a UTF-8 line from its seventh character on: a character is counted
// by its first byte, so a name with accents is cut between characters, not inside one.
std::string fromSeventhCharacter(std::string_view line) { return std::string(line.substr(utf8Offset(line, 6))); }

constexpr std::string_view kWindowKey = "window:", kMaximisedKey = "maximised:";

std::string textOf(const Settings& settings) {
    std::string text = std::string("fullscreen:") + (settings.fullscreenOn ? "on" : "off") + "\r\n" + "music:" +
                       (settings.musicOn ? "on" : "off") + "\r\n" + "level:" + settings.currentLevel + "\r\n";
    if (const auto& w = settings.window) {
        text += std::string(kWindowKey) + std::to_string(w->left) + "," + std::to_string(w->top) + "," +
                std::to_string(w->width) + "," + std::to_string(w->height) + "\r\n";
        text += std::string(kMaximisedKey) + (w->maximised ? "on" : "off") + "\r\n";
    }
    for (const std::string& line : settings.otherLines) text += line + "\r\n";
    return text;
}

// "LEFT,TOP,WIDTH,HEIGHT" in whole pixels, the size at least 1 × 1 and no more than a
// desktop could be; anything else is no placement at all.
std::optional<WindowPlacement> readPlacement(std::string_view text) {
    int values[4] = {};
    for (int i = 0; i < 4; ++i) {
        const char* end = text.data() + text.size();
        const auto [next, error] = std::from_chars(text.data(), end, values[i]);
        if (error != std::errc() || next == text.data()) return std::nullopt;
        text.remove_prefix(static_cast<std::size_t>(next - text.data()));
        if (i < 3) {
            if (text.empty() || text.front() != ',') return std::nullopt;
            text.remove_prefix(1);
        }
    }
    constexpr int kMost = 1 << 16;
    if (!text.empty() || values[2] < 1 || values[3] < 1 || values[2] > kMost || values[3] > kMost ||
        values[0] < -kMost || values[0] > kMost || values[1] < -kMost || values[1] > kMost)
        return std::nullopt;
    return WindowPlacement{values[0], values[1], values[2], values[3], false};
}

}  // namespace

std::optional<Settings> parseSettings(std::string text, const std::string& path, std::string& problem,
                                      std::string* warning) {
    // An editor's byte-order mark is not part of the first line.
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);
    // Lines end in CR LF as the game writes them, but a file edited by hand may use
    // LF or CR alone; a last line without an ending still counts.
    int total = 0;
    const std::vector<std::string_view> lines = splitLines(text, std::numeric_limits<int>::max() - 1, total);
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
    std::optional<bool> maximised;
    for (std::size_t i = 3; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        std::optional<WindowPlacement> window;
        if (line.starts_with(kWindowKey) && (window = readPlacement(line.substr(kWindowKey.size())))) {
            settings.window = window;
        } else if (line == "maximised:on" || line == "maximised:off") {
            maximised = line == "maximised:on";
        } else if (!line.empty()) {  // a blank line says nothing worth keeping
            settings.otherLines.emplace_back(line);
        }
    }
    if (settings.window && maximised) settings.window->maximised = *maximised;
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
    if (!readRegularFile(path, kMostSettingsBytes, text, why))
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
    if (readRegularFile(path, kMostSettingsBytes, text, problem)) {
        if (const std::optional<Settings> now = parseSettings(std::move(text), path, problem)) {
            merged = *now;
            if (changedSettings & changed::kFullscreen) merged.fullscreenOn = settings.fullscreenOn;
            if (changedSettings & changed::kMusic) merged.musicOn = settings.musicOn;
            if (changedSettings & changed::kLevel) merged.currentLevel = settings.currentLevel;
            if (changedSettings & changed::kWindow) merged.window = settings.window;
        }
    }
    return files.Write(path, textOf(merged), PlayerFiles::Link::WriteThrough, why);
}

}  // namespace tk

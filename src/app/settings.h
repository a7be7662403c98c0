// The settings file: full screen, music and the level that "Play" starts with.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/player_files.h"
#include "platform/window_placement.h"

namespace tk {

// The three described lines come first, each by its position. The window's placement
// follows on lines of their own, found by their keys ("window:LEFT,TOP,WIDTH,HEIGHT" and
// "maximised:on|off"); every other line is kept as it is, so that what another version of
// the game (or the player) wrote there survives a save.
struct Settings {
    bool fullscreenOn = false;
    bool musicOn = false;
    std::string currentLevel;
    std::optional<WindowPlacement> window;  // none on a first start
    std::vector<std::string> otherLines;
};

// A few short lines are all the file holds; a device or a runaway file given as the
// settings must not hold start-up up, so reading stops after a megabyte.
inline constexpr std::size_t kMostSettingsBytes = 1 << 20;

// The settings one game has changed since it last saved them, as a set of bits: only
// those replace what the file holds, so that two games at once keep each other's choices.
namespace changed {
constexpr unsigned kFullscreen = 1, kMusic = 2, kLevel = 4, kWindow = 8, kAll = 15;
}

// The settings in a file's text, or nullopt with `problem` ("it has 1 line, three are
// needed") when it holds fewer than three lines. A level name that is not a plain name
// becomes "01", and `warning` (when given) says so, naming `path`.
std::optional<Settings> parseSettings(std::string text, const std::string& path, std::string& problem,
                                      std::string* warning = nullptr);
// Reads the file; throws FatalError when it is missing, not a regular file or has fewer
// than three lines.
Settings readSettings(const std::string& path, std::string* warning = nullptr);
// Reads the file, if it can, under the folder's lock, puts in the settings of `settings`
// that `changedSettings` names and writes the file whole (see PlayerFiles::Write). A
// file that cannot be read takes them all. False with `why` naming the file and the
// reason when they could not be saved.
bool saveSettings(PlayerFiles& files, const std::string& path, const Settings& settings, unsigned changedSettings,
                  std::string& why);

}  // namespace tk

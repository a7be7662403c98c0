// The settings file: full screen, music and the level that "Play" starts with.
#pragma once

#include <string>

namespace tk {

struct Settings {
    bool fullscreenOn = false;
    bool musicOn = false;
    std::string currentLevel;
};

// Reads the file; throws FatalError when it is missing, not a regular file or has fewer
// than three lines. A level name that is not a plain name becomes "01", and `warning`
// (when given) says so.
Settings readSettings(const std::string& path, std::string* warning = nullptr);
// Writes all three settings, whole or not at all (a linked file is written through to
// its target, a read-only folder's writable file in place). False with `why` naming the
// file and the reason when they could not be saved.
bool writeSettings(const std::string& path, const Settings& settings, std::string& why);

}  // namespace tk

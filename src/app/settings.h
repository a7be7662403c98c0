// The settings file: full screen, music and the level that "Play" starts with.
#pragma once

#include <string>

namespace tk {

struct Settings {
    bool fullscreenOn = false;
    bool musicOn = false;
    std::string currentLevel;
};

// Reads the file; throws FatalError when it is missing or has fewer than three lines.
Settings readSettings(const std::string& path);
// Writes all three settings, whole or not at all; throws FatalError when it cannot.
void ulozNastaveni(const std::string& path, const Settings& settings);

}  // namespace tk

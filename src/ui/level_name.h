// What the level chooser accepts as a level name before it looks for the file.
#pragma once

#include <string>

namespace tk::ui {

// A base name that stays inside the levels folder: not empty, no folder separator of
// either kind, no "..", no control characters. Anything else is typed text that must
// never become part of a path.
inline bool isPlainLevelName(const std::string& name) {
    if (name.empty()) return false;
    if (name.find("..") != std::string::npos) return false;
    for (unsigned char c : name) {
        if (c == '/' || c == '\\') return false;
        if (c < 0x20 || c == 0x7F) return false;
    }
    return true;
}

}  // namespace tk::ui

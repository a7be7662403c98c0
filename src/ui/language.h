// Czech or English, remembered from one run to the next by a marker file.
#pragma once

#include <string>

#include "platform/player_files.h"

namespace tk {

class Language {
public:
    Language(PlayerFiles& files, std::string markerPath) : files_(files), marker_(std::move(markerPath)) {}

    bool isCzech() const { return czech_; }
    // The language of the last run: Czech when the marker file exists. Switch() then
    // inverts it, so start-up begins from the opposite.
    void BeforeFirstSwitch();
    // Inverts the language and remembers it: the marker is created empty for Czech (an
    // empty one is left as it is) and deleted for English. A link in the marker's place
    // is replaced, never followed. Returns why the marker could not be written or
    // removed, naming it; empty when it could. The language changes either way.
    std::string Switch();

private:
    PlayerFiles& files_;
    std::string marker_;
    bool czech_ = false;
};

}  // namespace tk

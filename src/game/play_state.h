// The level as it stands: the field the action rule moves on, and the file's other lines.
#pragma once

#include <cstdint>
#include <string>

#include "puzzle/action.h"

namespace tk {

struct PlayState : Field {
    std::string levelTitle;  // in the language of the game when the level was loaded
    std::int16_t timeLimit = 0;
    std::int16_t backgroundNumber = 0;
    std::string nextLevel;   // "end" after the last level
};

}  // namespace tk

// The level as it stands: the board, its water, the source, the figure and the file's other lines.
#pragma once

#include <cstdint>
#include <string>

#include "puzzle/board.h"

namespace tk {

struct PlayState {
    TileGrid board{};
    FlowGrid flow{};
    std::int16_t sourceX = 0, sourceY = 0;
    std::int16_t playerX = 0, playerY = 0;
    std::string levelTitle;  // in the language of the game when the level was loaded
    std::int16_t timeLimit = 0;
    std::int16_t backgroundNumber = 0;
    std::string nextLevel;   // "end" after the last level

    bool OnSource() const { return playerX == sourceX && playerY == sourceY; }
};

}  // namespace tk

// A level built from rows of tiles, for the solver's and the rating's small boards.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "puzzle/level_file.h"

namespace tk {

// A level from up to seven rows of tiles; rows given short, or not at all, are filled with
// floor. The source at (sx, sy), the figure at (px, py), a clock of 100 s.
inline LevelFile trialLevel(const std::vector<std::string>& rows, int sx, int sy, int px, int py) {
    LevelFile level;
    level.titleCs = "Zkouška";
    level.titleEn = "Trial";
    level.timeLimit = 100;
    for (int y = 0; y < kRows; ++y) {
        level.rows[y] = y < static_cast<int>(rows.size()) ? rows[y] : "";
        if (level.rows[y].size() < static_cast<std::size_t>(kCols)) level.rows[y] += std::string(kCols - level.rows[y].size(), 'L');
    }
    level.sourceX = static_cast<std::int16_t>(sx);
    level.sourceY = static_cast<std::int16_t>(sy);
    level.playerX = static_cast<std::int16_t>(px);
    level.playerY = static_cast<std::int16_t>(py);
    level.nextLevel = "end";
    return level;
}

}  // namespace tk

// Fuzzes the level reader: whatever it accepts can be played and, written back, reads as the same level.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "puzzle/level_file.h"
#include "puzzle/water.h"

using namespace tk;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const LevelRead read = parseLevel(bytes);
    for (const LevelProblem& problem : read.problems) (void)formatProblem("fuzzed.kulap", problem);
    if (!read.level) {
        fuzz::check(!read.problems.empty(), "a refused level says why");
        return 0;
    }
    const LevelFile& level = *read.level;

    // Everything the game does with a loaded level, which indexes the grids by it.
    TileGrid board;
    FlowGrid flow;
    placeLevel(level, board, flow);
    spreadWater(board, flow, level.sourceX, level.sourceY);
    fuzz::check(InPlayArea(level.playerX, level.playerY), "the player starts on the board");
    fuzz::check(isPlainLevelName(level.nextLevel), "the next level is a plain name");

    const LevelRead again = parseLevel(writeLevel(level));
    fuzz::check(again.level.has_value(), "a written level reads back");
    const LevelFile& back = *again.level;
    fuzz::check(back.titleCs == level.titleCs && back.titleEn == level.titleEn, "titles survive writing");
    fuzz::check(back.timeLimit == level.timeLimit && back.rows == level.rows, "time and rows survive writing");
    fuzz::check(back.sourceX == level.sourceX && back.sourceY == level.sourceY && back.playerX == level.playerX &&
                    back.playerY == level.playerY,
                "positions survive writing");
    fuzz::check(back.backgroundNumber == level.backgroundNumber && back.nextLevel == level.nextLevel,
                "background and next level survive writing");
    return 0;
}

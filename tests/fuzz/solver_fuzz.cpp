// Fuzzes the solver on well-formed boards: every plan it finds is replayed through the game's rules and wins at its end.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "puzzle/level_file.h"
#include "puzzle/solver.h"

using namespace tk;

namespace {

// A level file as it is, or else the bytes taken as a board: two positions, then
// the 77 tiles, each byte one of the thirteen letters.
bool boardFrom(std::string_view bytes, LevelFile& level) {
    if (LevelRead read = parseLevel(bytes); read.level) {
        level = *read.level;
        return true;
    }
    constexpr std::size_t kNeeded = 4 + kCols * kRows;
    if (bytes.size() < kNeeded) return false;
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    level = LevelFile{};
    level.sourceX = static_cast<std::int16_t>(at(0) % kCols);
    level.sourceY = static_cast<std::int16_t>(at(1) % kRows);
    level.playerX = static_cast<std::int16_t>(at(2) % kCols);
    level.playerY = static_cast<std::int16_t>(at(3) % kRows);
    for (int y = 0; y < kRows; ++y) {
        std::string& row = level.rows[static_cast<std::size_t>(y)];
        row.clear();
        for (int x = 0; x < kCols; ++x)
            row += static_cast<char>('A' + at(4 + static_cast<std::size_t>(y * kCols + x)) % 13);
    }
    level.timeLimit = 600;
    level.nextLevel = "end";
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    LevelFile level;
    if (!boardFrom(std::string_view(reinterpret_cast<const char*>(data), size), level)) return 0;
    SolveOptions options;
    // A budget in states keeps every run repeatable, and small enough for thousands of
    // boards a minute; the shipped levels are solved in full by their own tests.
    options.maxSeconds = 0;
    options.maxStates = 5000;
    const SolveResult result = solveLevel(level, options);
    if (result.status != SolveStatus::Solved) {
        fuzz::check(result.status == SolveStatus::Undecided || !result.reason.empty(), "an unsolvable board says why");
        return 0;
    }
    const ReplayResult replay = replayPlan(level, result.plan);
    fuzz::check(replay.legal, "every step of a plan is allowed where it is taken");
    fuzz::check(!result.plan.empty() && replay.wonAt == static_cast<int>(result.plan.size()) - 1,
                "a plan wins exactly at its last action");
    return 0;
}

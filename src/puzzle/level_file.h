// Level files: 14 lines of text, read exactly as the game reads them, and checked.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "puzzle/board.h"

namespace tk {

struct LevelProblem {
    int line = 0;          // 1-based line of the file; 0 for the file as a whole
    std::string message;   // English, lower-case start, no file name
    bool warning = false;  // the game plays the file all the same
};

struct LevelFile {
    std::string titleCs, titleEn;  // UTF-8
    std::int16_t timeLimit = 0;
    std::array<std::string, kRows> rows;  // 11 upper-case letters each
    std::int16_t sourceX = 0, sourceY = 0;
    std::int16_t playerX = 0, playerY = 0;
    std::int16_t backgroundNumber = 1;
    std::string nextLevel;  // line 14 unchanged; "end" after the last level

    const std::string& Title(bool czech) const { return czech ? titleCs : titleEn; }
    char Tile(int x, int y) const { return rows[y][x]; }
};

struct LevelRead {
    std::optional<LevelFile> level;     // empty when the file is refused
    std::vector<LevelProblem> problems;  // refusals and warnings, in line order
};

// The leading decimal number of a field: blanks skipped, reading stops at the first
// character that cannot continue it, halves round to even, no number reads as 0.
// Empty when the value lies outside -32768..32767.
std::optional<std::int16_t> readLevelNumber(std::string_view text);

// The longest level name, in bytes: with ".kulap" after it, the file's name still fits
// the 255 bytes a Linux file system allows.
inline constexpr std::size_t kMaxLevelNameBytes = 255 - 6;

// A level's base name that stays inside the levels folder when it is joined into a
// path: not empty, not "." or "..", no folder separator of either kind, no control
// characters, at most kMaxLevelNameBytes long. Dots elsewhere ("a..b") are fine.
bool isPlainLevelName(std::string_view name);

// Parses the bytes of a level file (CR LF, LF or CR line ends; each line UTF-8, or
// else Windows-1250 turned into UTF-8).
LevelRead parseLevel(std::string_view bytes);
// Reads a file; a missing or unreadable file is one problem on line 0.
LevelRead readLevelFile(const std::string& path);

// "FILE:LINE: message" / "FILE:LINE: warning: message" / "FILE: message" for line 0.
std::string formatProblem(const std::string& file, const LevelProblem& problem);

// Puts a level on the board: resets both grids, fills the play area from the rows.
void placeLevel(const LevelFile& level, TileGrid& board, FlowGrid& flow);

// The text of a level file that reads back as `level` (CR LF line ends, UTF-8).
std::string writeLevel(const LevelFile& level);

}  // namespace tk

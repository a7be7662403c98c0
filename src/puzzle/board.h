// The board: two grids with a border ring, the tile alphabet, directions and quarter turns.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace tk {

constexpr int kCols = 11;  // play area: columns 0..10
constexpr int kRows = 7;   // play area: rows 0..6
constexpr int kCellPx = 70;

constexpr char kFloorTile = 'L';
constexpr char kBlankTile = 'M';

// The four sides of a cell and the ways a step goes, numbered as the bits of a tile's
// openings; search code that loops over the sides uses those numbers (`side`).
enum class Direction : std::uint8_t { Left, Up, Right, Down };
constexpr int side(Direction d) { return static_cast<int>(d); }

// The water of a cell: none, some, or not looked at yet (a board just placed).
enum class Water : std::uint8_t { Dry, Wet, Unset };

// A grid indexed x -1..11, y -1..7: the play area and its border ring.
template <class T>
class Grid {
public:
    static constexpr int kMinX = -1, kMaxX = kCols, kMinY = -1, kMaxY = kRows;
    static constexpr int kWidth = kMaxX - kMinX + 1, kHeight = kMaxY - kMinY + 1;

    static constexpr bool Contains(int x, int y) {
        return x >= kMinX && x <= kMaxX && y >= kMinY && y <= kMaxY;
    }
    // Callers keep (x, y) inside the grid; the check is an assertion, not a rule.
    T& operator()(int x, int y) { return cells_[index(x, y)]; }
    const T& operator()(int x, int y) const { return cells_[index(x, y)]; }
    void Fill(T value) { cells_.fill(value); }
    friend bool operator==(const Grid&, const Grid&) = default;

private:
    static constexpr std::size_t index(int x, int y);
    std::array<T, kWidth * kHeight> cells_{};
};

template <class T>
constexpr std::size_t Grid<T>::index(int x, int y) {
    if (!Contains(x, y)) __builtin_trap();
    return static_cast<std::size_t>((y - kMinY) * kWidth + (x - kMinX));
}

using TileGrid = Grid<char>;
using FlowGrid = Grid<Water>;

inline bool InPlayArea(int x, int y) { return x >= 0 && x < kCols && y >= 0 && y < kRows; }

// Bit (1 << side) set for every side the letter opens toward; 0 outside "A".."K".
std::uint8_t tileOpenings(char letter);
bool opensToward(char letter, int side);  // false for a side outside 0..3
inline bool opensToward(char letter, Direction d) { return opensToward(letter, side(d)); }
// Character code minus "A": "A" 0 ... "K" 10, "L" 11, "M" 12.
int tileIndex(char letter);
bool isPipe(char letter);  // "A".."K"
// The letter after a quarter turn; unchanged outside "A".."K".
char quarterTurn(char letter, bool clockwise);

// Neighbour steps and the opposite side, by side number 0..3 or by direction.
constexpr int dirDx(int side) { return side == 0 ? -1 : side == 2 ? 1 : 0; }
constexpr int dirDy(int side) { return side == 1 ? -1 : side == 3 ? 1 : 0; }
constexpr int opposite(int side) { return (side + 2) % 4; }
constexpr int dirDx(Direction d) { return dirDx(side(d)); }
constexpr int dirDy(Direction d) { return dirDy(side(d)); }
constexpr Direction opposite(Direction d) { return static_cast<Direction>(opposite(side(d))); }

// A cell of the board.
struct Cell {
    int x = 0, y = 0;
    friend bool operator==(const Cell&, const Cell&) = default;
};

// Every cell, border ring included, to "M" and Water::Unset.
void resetGrids(TileGrid& board, FlowGrid& flow);
// Stores text into one cell: its first character, or a blank for an empty text.
void storeCell(TileGrid& board, int x, int y, std::string_view text);

}  // namespace tk

// The padded board the solver's parts share: cell numbers, neighbour steps, pipe shapes and their orientations.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "puzzle/board.h"
#include "puzzle/level_file.h"

namespace tk::search {

// A 13 × 9 copy of the board with one ring of blanks, so that every play-area cell has
// four real neighbours and no step needs a range test.
constexpr int kW = kCols + 2, kH = kRows + 2, kCells = kW * kH;
constexpr std::array<int, 4> kStep = {-1, -kW, 1, kW};  // left, up, right, down

constexpr int cellOf(int x, int y) { return (y + 1) * kW + (x + 1); }
constexpr int cellX(int c) { return c % kW - 1; }
constexpr int cellY(int c) { return c / kW - 1; }
constexpr bool inPlay(int c) {
    return c % kW >= 1 && c % kW <= kCols && c / kW >= 1 && c / kW <= kRows;
}

// "column X, row Y", the way every reason names a cell.
std::string where(int c);

// Pipes of one shape form a cycle under clockwise turns; a pipe's orientation is its
// place in that cycle. A clockwise quarter turn adds one, a counter-clockwise one takes one.
enum Shape : std::int8_t { kNoPipe = -1, kCross = 0, kTee = 1, kStraight = 2, kElbow = 3 };

struct Shapes {
    std::array<std::int8_t, 256> shape{};
    std::array<std::uint8_t, 256> orient{};
    std::array<std::uint8_t, 256> opens{};         // openings of any letter, 0 for non-pipes
    std::array<std::array<char, 4>, 4> letter{};   // [shape][orientation]
    std::array<std::array<std::uint8_t, 4>, 4> openings{};  // [shape][orientation]
    std::array<int, 4> orientations{};            // 1, 4, 2, 4

    Shapes();
    int shapeOf(char l) const { return shape[static_cast<unsigned char>(l)]; }
    int orientOf(char l) const { return orient[static_cast<unsigned char>(l)]; }
    std::uint8_t opensOf(char l) const { return opens[static_cast<unsigned char>(l)]; }
    bool opensTo(char l, int d) const { return (opensOf(l) >> d) & 1; }
    bool pipe(char l) const { return shapeOf(l) >= 0; }
    // Fewest quarter turns, either way, from orientation `from` to `to` of a shape.
    int turnsBetween(int s, int from, int to) const {
        const int n = orientations[s];
        const int ahead = ((to - from) % n + n) % n;
        return ahead < n - ahead ? ahead : n - ahead;
    }
};

const Shapes& shapes();

using Letters = std::array<char, kCells>;

// The level's letters on the padded board; cells past a short row read as blanks.
Letters lettersOf(const LevelFile& level);

// Walking distances through joined pipes from one cell: -1 where the figure cannot go.
// `order` lists the reached cells nearest first and returns how many there are.
int walkFrom(const Letters& b, int from, std::array<std::int16_t, kCells>& dist,
             std::array<std::uint8_t, kCells>& order);

// The water of one board, kept so that every board one turn away is measured without
// letting the water run again: a turn of a dry pipe can only add the cells it newly
// joins to the water; a turn of a wet pipe first loses the cells whose every way to
// the source runs through it (known from one depth-first walk of the wet pipes, which
// finds the pipes the water cannot do without), then gains what its new openings join.
class WaterMap {
public:
    void Spread(const Letters& b, int source);
    int Dry() const { return dry_; }
    bool Wet(int c) const { return wet_[c]; }
    // Dry cells once the pipe at `c` shows `letter` (b is the board this map was spread on).
    int DryAfterTurn(Letters& b, int source, int c, char letter);

private:
    void visit(const Letters& b, int c, int parent);
    // Whether x is wet and stays wet without the pipe at c.
    bool keepsWater(int c, int x) const;
    int grow(const Letters& b, int from, int c);

    std::array<bool, kCells> wet_{};
    std::array<std::uint8_t, kCells> disc_{}, low_{}, last_{};  // depth-first order, 0 unvisited
    std::array<std::array<std::uint8_t, 4>, kCells> cutOff_{};  // children hanging on the cell alone
    std::array<std::uint8_t, kCells> cutOffCount_{}, cutOffCells_{};
    std::uint8_t clock_ = 0;
    std::array<std::uint32_t, kCells> stamp_{};
    std::uint32_t round_ = 0;
    int dry_ = 0;
};

// Appends to `plan` the steps (plan letters) of a shortest walk from `from` to `to`,
// which the figure can reach on this board.
void appendWalk(const Letters& b, int from, int to, std::string& plan);

// Whether every play-area cell but the floor holds water.
bool allWet(const Letters& b, int source);
// The number of play-area cells that need water and have none.
int dryCells(const Letters& b, int source);
// Sides where a pipe opens toward a neighbouring pipe that does not open back: on the
// whole board, and on the four sides of one cell.
int halfOpenSides(const Letters& b);
int halfOpenSidesAt(const Letters& b, int c);

}  // namespace tk::search

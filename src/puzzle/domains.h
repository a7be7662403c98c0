// Orientation domains: what every pipe may still point to in a winning board, pruned by local rules.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "puzzle/search_board.h"

namespace tk::search {

using CellFlags = std::array<bool, kCells>;

// Bit o set when orientation o of the cell's shape may stand in a winning board. Cells
// that are not pipes (floor, blank, the ring) keep 0.
using Domains = std::array<std::uint8_t, kCells>;

// Every cell the figure may ever stand on, starting at `figure`. A pipe changes only
// under the figure, so a cell it has not entered keeps its letter: it can be entered
// from a neighbour the figure may stand on (and turn toward it) only when it already
// opens toward that neighbour. The set is a bound, not a promise; it is the same for
// every board the figure can make from this one, because a turn only changes the cell
// the figure stands on and the cells it walked through join both ways.
CellFlags reachableCells(const Letters& b, int figure);

// Full domains for the cells marked movable, the present orientation for every other pipe.
Domains startingDomains(const Letters& b, const CellFlags& movable);

struct Pruning {
    bool consistent = true;
    int cell = -1;       // when not: the cell where the contradiction showed
    std::string reason;  // and why, in English
};

// Removes orientations no winning board can use, until no rule removes more. In a
// winning board every cell that needs water is joined to the source through pipes that
// open toward each other, so:
//  - an orientation whose every opening faces the border, floor, a blank or a pipe that
//    can never open back joins nothing and is dropped;
//  - a side that is the only link between two parts of the board that may still join
//    (a bridge; a dead end's one neighbour is the simplest) must be joined, so both
//    pipes keep only the orientations opening across it;
//  - a cell that cannot be joined to the source at all proves the board hopeless.
// Leaks do no harm, so nothing is ever required to stay closed.
Pruning pruneDomains(const Letters& b, int source, Domains& domains);

// Orientation bits of a pipe's shape: 0b1, 0b1111, 0b11 or 0b1111.
std::uint8_t everyOrientation(char letter);

}  // namespace tk::search

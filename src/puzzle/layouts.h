// Winning layouts: orientations of every pipe that wet the whole board, found by search over the domains.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "puzzle/domains.h"

namespace tk::search {

// What a layout costs, measured from the board as it stands.
enum class LayoutCost {
    QuarterTurns,  // quarter turns, the fewer way round for each pipe
    PipesTurned,   // pipes whose orientation differs
};

struct Layout {
    bool found = false;
    bool complete = false;  // the whole space was searched: `found` is final and `cost` the least
    int cost = 0;
    Domains orientation{};  // when found: one bit per pipe, the orientation it takes
    std::size_t nodes = 0;  // search nodes spent
};

// The cheapest winning layout within `domains` (pruned, consistent), by branch and bound
// with the pruning rules re-applied after every choice. Gives up after maxNodes nodes
// with the best layout found so far.
Layout cheapestLayout(const Letters& b, int source, const Domains& domains, LayoutCost cost,
                      std::size_t maxNodes);

struct WinningOrientations {
    bool complete = false;  // every pipe's every orientation was settled
    Domains possible{};     // the domains less every orientation proven never to win
    std::size_t nodes = 0;
};

// For every pipe, which of its orientations occur in at least one winning layout. When
// the budget runs out, the orientations not yet settled stay in `possible`, so it is
// always a sound narrowing of `domains`; when complete, it is exact.
WinningOrientations winningOrientations(const Letters& b, int source, const Domains& domains,
                                        std::size_t maxNodes);

}  // namespace tk::search

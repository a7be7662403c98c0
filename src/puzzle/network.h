// Pipe networks for new levels: a solved board, grown as a thin tree of joined pipes.
#pragma once

#include "puzzle/board.h"
#include "puzzle/generator.h"

namespace tk {

struct Network {
    TileGrid board;  // the solved letters in the play area, floor elsewhere
    int sourceX = 0, sourceY = 0;
    int pipes = 0;
};

// Grows a network of `pipes` cells (1..77) from a random source: a winding tree of
// joined pipes, thin where the field leaves room (few pipes lie side by side without
// joining, since each such pair is another way for the water), with no crosses (they
// cannot be turned) and no opening added anywhere but at dead ends. A dead end is a
// straight looking on past its join, so it has a single winning orientation; it is
// moved, where there is room, to lie between its join and another pipe, so that it
// looks into a pipe rather than toward the floor or the edge. Two dead ends that look
// into each other join.
Network growNetwork(SplitMix64& rng, int pipes);

}  // namespace tk

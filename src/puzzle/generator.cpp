// The level generator: a wet network grown from the source, mixed up by the figure's own moves.
#include "puzzle/generator.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "puzzle/movement.h"
#include "puzzle/solver.h"
#include "puzzle/water.h"

namespace tk {

int suggestedTimeLimit(std::string_view plan, int pipes) {
    const double twice = 2 * planSeconds(plan);
    if (twice > 600) return 0;
    const double t = std::max(60.0 + 5.0 * static_cast<double>(plan.size()) + 2.0 * pipes, twice);
    return std::min(static_cast<int>(std::ceil(t / 30.0)) * 30, 600);
}

namespace {

char letterWithOpenings(std::uint8_t mask) {
    for (char l = 'A'; l <= 'K'; ++l)
        if (tileOpenings(l) == mask) return l;
    return kFloorTile;
}

struct Cell {
    int x, y;
};

// A tree of `pipes` cells grown from the source, each new cell joined to one already in it.
// Returns the openings of every cell (bit per direction), 0 for floor.
Grid<std::uint8_t> growNetwork(SplitMix64& rng, int pipes, Cell source) {
    Grid<std::uint8_t> open;
    open.Fill(0);
    Grid<bool> in;
    in.Fill(false);
    std::vector<Cell> members = {source};
    in(source.x, source.y) = true;
    while (static_cast<int>(members.size()) < pipes) {
        // Prefer the newest cells a little, so the network winds instead of balling up.
        const int n = static_cast<int>(members.size());
        const int pick = rng.Below(3) == 0 ? rng.Below(n) : n - 1 - rng.Below(std::min(n, 4));
        const Cell from = members[pick];
        std::vector<int> dirs;
        for (int d = 0; d < 4; ++d) {
            const int nx = from.x + dirDx(d), ny = from.y + dirDy(d);
            if (InPlayArea(nx, ny) && !in(nx, ny)) dirs.push_back(d);
        }
        if (dirs.empty()) {
            // A cell with no room left: look elsewhere (the field always has room while
            // the network is smaller than it).
            bool any = false;
            for (const Cell& m : members)
                for (int d = 0; d < 4 && !any; ++d) {
                    const int nx = m.x + dirDx(d), ny = m.y + dirDy(d);
                    any = InPlayArea(nx, ny) && !in(nx, ny);
                }
            if (!any) break;
            continue;
        }
        const int d = dirs[rng.Below(static_cast<int>(dirs.size()))];
        const Cell to{from.x + dirDx(d), from.y + dirDy(d)};
        in(to.x, to.y) = true;
        open(from.x, from.y) |= static_cast<std::uint8_t>(1 << d);
        open(to.x, to.y) |= static_cast<std::uint8_t>(1 << opposite(d));
        members.push_back(to);
    }
    for (const Cell& m : members) {
        std::uint8_t& o = open(m.x, m.y);
        const int count = __builtin_popcount(o);
        // Every pipe opens at least two ways: a dead end gets a second, leaking opening,
        // and now and then a bend grows a third.
        if (count <= 1 || (count == 2 && rng.Below(7) == 0)) {
            std::vector<int> spare;
            for (int d = 0; d < 4; ++d)
                if (!(o >> d & 1)) spare.push_back(d);
            o |= static_cast<std::uint8_t>(1 << spare[rng.Below(static_cast<int>(spare.size()))]);
            if (count == 0) {  // a network of the source alone
                spare.clear();
                for (int d = 0; d < 4; ++d)
                    if (!(o >> d & 1)) spare.push_back(d);
                o |= static_cast<std::uint8_t>(1 << spare[rng.Below(static_cast<int>(spare.size()))]);
            }
        }
    }
    return open;
}

struct Walk {
    TileGrid board;
    int px = 0, py = 0;
};

// Walks the figure over the solved board, turning tiles as it goes. Every move can be
// undone, so the walk read backwards and mirrored leads back to the solved board: the
// level is solvable whatever the walk did, and the solver only has to find a way.
Walk scrambleBoard(SplitMix64& rng, const TileGrid& solvedBoard, const std::vector<Cell>& pipes,
                   int stops) {
    Walk w;
    w.board = solvedBoard;
    const Cell start = pipes[rng.Below(static_cast<int>(pipes.size()))];
    w.px = start.x;
    w.py = start.y;
    int lastDir = dirNone;
    for (int stop = 0; stop < stops; ++stop) {
        if (w.board(w.px, w.py) != 'A') {
            const int code = rng.Below(2) ? turnRight : turnLeft;
            const int quarters = w.board(w.px, w.py) == 'F' || w.board(w.px, w.py) == 'G'
                                     ? 1
                                     : 1 + rng.Below(2);
            for (int q = 0; q < quarters; ++q) {
                w.board(w.px, w.py) = quarterTurn(w.board(w.px, w.py), code);
            }
        }
        const int steps = 1 + rng.Below(4);
        for (int s = 0; s < steps; ++s) {
            std::vector<int> dirs;
            for (int d = 0; d < 4; ++d)
                if (lzeTam(w.board, w.px, w.py, d) && (lastDir < 0 || d != opposite(lastDir)))
                    dirs.push_back(d);
            if (dirs.empty()) {
                for (int d = 0; d < 4; ++d)
                    if (lzeTam(w.board, w.px, w.py, d)) dirs.push_back(d);
            }
            if (dirs.empty()) break;
            const int d = dirs[rng.Below(static_cast<int>(dirs.size()))];
            w.px += dirDx(d);
            w.py += dirDy(d);
            lastDir = d;
        }
    }
    return w;
}

bool isSolved(const TileGrid& board, Cell source) {
    FlowGrid flow;
    flow.Fill(flowUnset);
    return spreadWater(board, flow, source.x, source.y);
}

}  // namespace

Generated generateLevel(const GenerateOptions& options) {
    Generated out;
    if (options.pipes < 1 || options.pipes > kCols * kRows) {
        out.error = "the number of pipes must lie between 1 and 77";
        return out;
    }
    if (options.scramble < 1) {
        out.error = "the scramble must be at least 1";
        return out;
    }
    SplitMix64 rng(options.seed);
    const int background = options.background ? options.background
                                               : 1 + static_cast<int>(options.seed % 7);
    constexpr int kAttempts = 12;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const Cell source{rng.Below(kCols), rng.Below(kRows)};
        const Grid<std::uint8_t> open = growNetwork(rng, options.pipes, source);
        TileGrid solvedBoard;
        solvedBoard.Fill(kBlankTile);
        std::vector<Cell> pipes;
        for (int y = 0; y < kRows; ++y)
            for (int x = 0; x < kCols; ++x) {
                solvedBoard(x, y) = open(x, y) ? letterWithOpenings(open(x, y)) : kFloorTile;
                if (open(x, y)) pipes.push_back({x, y});
            }
        Walk walk = scrambleBoard(rng, solvedBoard, pipes, options.scramble);
        for (int extra = 0; extra < 8 && isSolved(walk.board, source); ++extra) {
            Walk more = scrambleBoard(rng, walk.board, {{walk.px, walk.py}}, 1);
            walk.board = more.board;
            walk.px = more.px;
            walk.py = more.py;
        }
        // A lone source is wet whatever it is turned to; it is still a level (one turn wins it).
        if (isSolved(walk.board, source) && options.pipes > 1) continue;

        LevelFile level;
        level.titleCs = options.titleCs;
        level.titleEn = options.titleEn;
        for (int y = 0; y < kRows; ++y) {
            level.rows[y].clear();
            for (int x = 0; x < kCols; ++x) level.rows[y] += walk.board(x, y);
        }
        level.sourceX = static_cast<std::int16_t>(source.x);
        level.sourceY = static_cast<std::int16_t>(source.y);
        level.playerX = static_cast<std::int16_t>(walk.px);
        level.playerY = static_cast<std::int16_t>(walk.py);
        level.backgroundNumber = static_cast<std::int16_t>(background);
        level.nextLevel = options.next;

        SolveOptions check;
        check.maxStates = options.solverStates;
        const SolveResult solved = solveLevel(level, check);
        if (solved.status != SolveStatus::Solved) continue;  // too hard to check: mix again
        const int time = options.time ? options.time : suggestedTimeLimit(solved.plan, options.pipes);
        if (time <= 0) continue;
        level.timeLimit = static_cast<std::int16_t>(time);
        out.ok = true;
        out.level = level;
        out.plan = solved.plan;
        return out;
    }
    out.error = "no mix of this network could be checked by the solver within its budget; "
                "try fewer scramble stops or another seed";
    return out;
}

}  // namespace tk

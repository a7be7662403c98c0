// The padded search board: shape tables, walking distances and the water, without allocation.
#include "puzzle/search_board.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "puzzle/solver.h"

namespace tk::search {

std::string where(int c) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "column %d, row %d", cellX(c), cellY(c));
    return buf;
}

Shapes::Shapes() {
    shape.fill(kNoPipe);
    const std::array<std::string_view, 4> cycles = {"A", "BCDE", "FG", "HIJK"};
    for (int s = 0; s < 4; ++s) {
        orientations[s] = static_cast<int>(cycles[s].size());
        for (int o = 0; o < orientations[s]; ++o) {
            const char l = cycles[s][o];
            shape[static_cast<unsigned char>(l)] = static_cast<std::int8_t>(s);
            orient[static_cast<unsigned char>(l)] = static_cast<std::uint8_t>(o);
            letter[s][o] = l;
            openings[s][o] = tileOpenings(l);
        }
    }
    for (int c = 0; c < 256; ++c) opens[c] = tileOpenings(static_cast<char>(c));
}

const Shapes& shapes() {
    static const Shapes s;
    return s;
}

Letters lettersOf(const LevelFile& level) {
    Letters b;
    b.fill(kBlankTile);
    for (int y = 0; y < kRows; ++y)
        for (int x = 0; x < kCols; ++x)
            if (static_cast<std::size_t>(x) < level.rows[y].size()) b[cellOf(x, y)] = level.Tile(x, y);
    return b;
}

int walkFrom(const Letters& b, int from, std::array<std::int16_t, kCells>& dist,
             std::array<std::uint8_t, kCells>& order) {
    const Shapes& S = shapes();
    dist.fill(-1);
    dist[from] = 0;
    order[0] = static_cast<std::uint8_t>(from);
    int count = 1;
    for (int i = 0; i < count; ++i) {
        const int c = order[i];
        const std::uint8_t open = S.opensOf(b[c]);
        for (int d = 0; d < 4; ++d) {
            const int n = c + kStep[d];
            if ((open >> d & 1) && dist[n] < 0 && S.opensTo(b[n], opposite(d))) {
                dist[n] = static_cast<std::int16_t>(dist[c] + 1);
                order[count++] = static_cast<std::uint8_t>(n);
            }
        }
    }
    return count;
}

void appendWalk(const Letters& b, int from, int to, std::string& plan) {
    const Shapes& S = shapes();
    std::array<std::int16_t, kCells> dist;
    std::array<std::uint8_t, kCells> order;
    walkFrom(b, to, dist, order);  // distances to the target: walk downhill
    for (int c = from; c != to;) {
        int d = 0;
        while (d < 4 && !(dist[c + kStep[d]] == dist[c] - 1 && S.opensTo(b[c], d) &&
                          S.opensTo(b[c + kStep[d]], opposite(d))))
            ++d;
        if (d == 4) return;  // not reachable: the caller broke its promise
        plan += planLetter(stepToward(static_cast<Direction>(d)));
        c += kStep[d];
    }
}

namespace {

// Marks the cells the water reaches and returns how many of the cells needing water stay dry.
int floodDry(const Letters& b, int source, std::array<bool, kCells>& wet) {
    const Shapes& S = shapes();
    wet.fill(false);
    std::array<std::uint8_t, kCells> stack;
    int top = 0;
    if (inPlay(source)) {
        wet[source] = true;
        stack[top++] = static_cast<std::uint8_t>(source);
    }
    while (top) {
        const int c = stack[--top];
        const std::uint8_t open = S.opensOf(b[c]);
        for (int d = 0; d < 4; ++d) {
            const int n = c + kStep[d];
            if ((open >> d & 1) && !wet[n] && S.opensTo(b[n], opposite(d))) {
                wet[n] = true;
                stack[top++] = static_cast<std::uint8_t>(n);
            }
        }
    }
    int dry = 0;
    for (int y = 0; y < kRows; ++y)
        for (int x = 0; x < kCols; ++x) {
            const int c = cellOf(x, y);
            dry += !wet[c] && b[c] != kFloorTile;
        }
    return dry;
}

}  // namespace

bool allWet(const Letters& b, int source) {
    std::array<bool, kCells> wet;
    return floodDry(b, source, wet) == 0;
}

void WaterMap::Spread(const Letters& b, int source) {
    dry_ = floodDry(b, source, wet_);
    disc_.fill(0);
    cutOffCount_.fill(0);
    cutOffCells_.fill(0);
    clock_ = 0;
    if (inPlay(source)) visit(b, source, -1);
}

// Tarjan's walk over the joined wet pipes: a child whose subtree reaches no higher than
// its parent hangs on that parent alone.
void WaterMap::visit(const Letters& b, int c, int parent) {
    const Shapes& S = shapes();
    disc_[c] = low_[c] = ++clock_;
    const std::uint8_t open = S.opensOf(b[c]);
    for (int d = 0; d < 4; ++d) {
        const int n = c + kStep[d];
        if (!(open >> d & 1) || !S.opensTo(b[n], opposite(d)) || n == parent) continue;
        if (disc_[n] == 0) {
            visit(b, n, c);
            low_[c] = std::min(low_[c], low_[n]);
            if (low_[n] >= disc_[c]) {
                cutOff_[c][cutOffCount_[c]++] = static_cast<std::uint8_t>(n);
                cutOffCells_[c] = static_cast<std::uint8_t>(cutOffCells_[c] + last_[n] - disc_[n] + 1);
            }
        } else {
            low_[c] = std::min(low_[c], disc_[n]);
        }
    }
    last_[c] = clock_;
}

bool WaterMap::keepsWater(int c, int x) const {
    if (!wet_[x] || x == c) return false;
    for (int i = 0; i < cutOffCount_[c]; ++i) {
        const int v = cutOff_[c][i];
        if (disc_[x] >= disc_[v] && disc_[x] <= last_[v]) return false;
    }
    return true;
}

// Counts the cells the water reaches from `from` that do not keep their water without c.
int WaterMap::grow(const Letters& b, int from, int c) {
    const Shapes& S = shapes();
    ++round_;
    std::array<std::uint8_t, kCells> stack;
    int top = 0, gained = 0;
    stamp_[from] = round_;
    stack[top++] = static_cast<std::uint8_t>(from);
    while (top) {
        const int x = stack[--top];
        ++gained;
        const std::uint8_t open = S.opensOf(b[x]);
        for (int d = 0; d < 4; ++d) {
            const int n = x + kStep[d];
            if ((open >> d & 1) && stamp_[n] != round_ && !keepsWater(c, n) && S.opensTo(b[n], opposite(d))) {
                stamp_[n] = round_;
                stack[top++] = static_cast<std::uint8_t>(n);
            }
        }
    }
    return gained;
}

int WaterMap::DryAfterTurn(Letters& b, int source, int c, char letter) {
    const Shapes& S = shapes();
    const char before = b[c];
    b[c] = letter;
    int dry;
    if (c == source) {
        std::array<bool, kCells> wet;  // the water starts here: everything may change
        dry = floodDry(b, source, wet);
    } else {
        // Without c, the water keeps what does not hang on c alone; c gets water back
        // when its new openings join such a cell, and passes it on from there.
        const bool wasWet = wet_[c];
        dry = dry_ + (wasWet ? 1 + cutOffCells_[c] : 0);
        bool joins = false;
        for (int d = 0; d < 4 && !joins; ++d)
            joins = keepsWater(c, c + kStep[d]) && S.opensTo(letter, d) && S.opensTo(b[c + kStep[d]], opposite(d));
        if (joins) dry -= grow(b, c, c);
    }
    b[c] = before;
    return dry;
}

int halfOpenSidesAt(const Letters& b, int c) {
    const Shapes& S = shapes();
    if (!S.pipe(b[c])) return 0;
    int half = 0;
    for (int d = 0; d < 4; ++d) {
        const int n = c + kStep[d];
        half += S.pipe(b[n]) && S.opensTo(b[c], d) != S.opensTo(b[n], opposite(d));
    }
    return half;
}

int halfOpenSides(const Letters& b) {
    const Shapes& S = shapes();
    int half = 0;
    for (int c = 0; c < kCells; ++c) {
        if (!S.pipe(b[c])) continue;
        for (int d = side(Direction::Right); d <= side(Direction::Down); ++d) {
            const int n = c + kStep[d];
            half += S.pipe(b[n]) && S.opensTo(b[c], d) != S.opensTo(b[n], opposite(d));
        }
    }
    return half;
}

}  // namespace tk::search

// Pruning orientation domains: dead sides, bridges that must be joined, cells the water can never reach.
#include "puzzle/domains.h"

#include <algorithm>

namespace tk::search {

CellFlags reachableCells(const Letters& b, int figure) {
    const Shapes& S = shapes();
    CellFlags free{};
    if (!S.pipe(b[figure])) return free;
    std::array<std::uint8_t, kCells> stack;
    int top = 0;
    free[figure] = true;
    stack[top++] = static_cast<std::uint8_t>(figure);
    while (top) {
        const int c = stack[--top];
        for (int d = 0; d < 4; ++d) {
            const int n = c + kStep[d];
            if (!free[n] && S.opensTo(b[n], opposite(d))) {
                free[n] = true;
                stack[top++] = static_cast<std::uint8_t>(n);
            }
        }
    }
    return free;
}

std::uint8_t everyOrientation(char letter) {
    const Shapes& S = shapes();
    const int s = S.shapeOf(letter);
    return s < 0 ? 0 : static_cast<std::uint8_t>((1u << S.orientations[s]) - 1);
}

Domains startingDomains(const Letters& b, const CellFlags& movable) {
    const Shapes& S = shapes();
    Domains d{};
    for (int c = 0; c < kCells; ++c) {
        if (!inPlay(c) || !S.pipe(b[c])) continue;
        d[c] = movable[c] ? everyOrientation(b[c]) : static_cast<std::uint8_t>(1u << S.orientOf(b[c]));
    }
    return d;
}

namespace {

class Pruner {
public:
    Pruner(const Letters& b, int source, Domains& domains)
        : S(shapes()), b_(b), source_(source), dom_(domains) {
        for (int y = 0; y < kRows; ++y)
            for (int x = 0; x < kCols; ++x) {
                const int c = cellOf(x, y);
                node_[c] = b[c] != kFloorTile || c == source;
                if (node_[c]) ++nodes_;
                open_[c] = unionOfOpenings(c);
            }
    }

    Pruning Run() {
        Pruning p;
        if (nodes_ <= 1) return p;  // the source alone is wet whatever it is turned to
        for (bool changed = true; changed;) {
            changed = false;
            if (!dropDeadOrientations(changed, p)) return p;
            if (!joinBridges(changed, p)) return p;
        }
        return p;
    }

private:
    std::uint8_t mayOpen(int c) const { return open_[c]; }
    std::uint8_t unionOfOpenings(int c) const {
        const int s = S.shapeOf(b_[c]);
        if (s < 0) return 0;
        std::uint8_t open = 0;
        for (int o = 0; o < S.orientations[s]; ++o)
            if (dom_[c] >> o & 1) open |= S.openings[s][o];
        return open;
    }
    bool mayJoin(int c, int d) const {
        const int n = c + kStep[d];
        return node_[n] && (mayOpen(c) >> d & 1) && (mayOpen(n) >> opposite(d) & 1);
    }
    // Keeps the orientations of a pipe that open toward at least one side in `sides`
    // (or, with `all`, toward every side in it). False when none is left.
    bool keep(int c, std::uint8_t sides, bool all, bool& changed) {
        const int s = S.shapeOf(b_[c]);
        if (s < 0) return !all || sides == 0;
        std::uint8_t kept = 0;
        for (int o = 0; o < S.orientations[s]; ++o) {
            const std::uint8_t open = S.openings[s][o] & sides;
            if ((dom_[c] >> o & 1) && (all ? open == sides : open != 0)) kept |= 1u << o;
        }
        if (kept != dom_[c]) {
            dom_[c] = kept;
            open_[c] = unionOfOpenings(c);
            changed = true;
        }
        return kept != 0;
    }
    bool fail(Pruning& p, int c, std::string reason) {
        p.consistent = false;
        p.cell = c;
        p.reason = std::move(reason);
        return false;
    }
    bool noTurnWorks(Pruning& p, int c) {
        return fail(p, c, "no turn of the pipe at " + where(c) + " lets the water reach every cell");
    }

    bool dropDeadOrientations(bool& changed, Pruning& p) {
        for (int c = 0; c < kCells; ++c) {
            if (!node_[c] || !S.pipe(b_[c])) continue;
            std::uint8_t sides = 0;
            for (int d = 0; d < 4; ++d) {
                const int n = c + kStep[d];
                if (node_[n] && (mayOpen(n) >> opposite(d) & 1)) sides |= 1u << d;
            }
            if (!keep(c, sides, false, changed)) return noTurnWorks(p, c);
        }
        return true;
    }

    // Tarjan's bridges over the sides that may still join, from the source.
    void visit(int c, int parent) {
        disc_[c] = low_[c] = ++clock_;
        for (int d = 0; d < 4; ++d) {
            if (!mayJoin(c, d)) continue;
            const int n = c + kStep[d];
            if (n == parent) continue;
            if (disc_[n] == 0) {
                visit(n, c);
                low_[c] = std::min(low_[c], low_[n]);
                if (low_[n] > disc_[c]) bridges_[bridgeCount_++] = {c, d};
            } else {
                low_[c] = std::min(low_[c], disc_[n]);
            }
        }
    }

    bool joinBridges(bool& changed, Pruning& p) {
        disc_.fill(0);
        clock_ = 0;
        bridgeCount_ = 0;
        visit(source_, -1);
        for (int y = 0; y < kRows; ++y)
            for (int x = 0; x < kCols; ++x) {
                const int c = cellOf(x, y);
                if (node_[c] && disc_[c] == 0)
                    return fail(p, c, "the water can never reach the cell at " + where(c));
            }
        for (int i = 0; i < bridgeCount_; ++i) {
            const auto [c, d] = bridges_[i];
            const int n = c + kStep[d];
            if (!keep(c, static_cast<std::uint8_t>(1u << d), true, changed)) return noTurnWorks(p, c);
            if (!keep(n, static_cast<std::uint8_t>(1u << opposite(d)), true, changed))
                return noTurnWorks(p, n);
        }
        return true;
    }

    const Shapes& S;
    const Letters& b_;
    int source_;
    Domains& dom_;
    std::array<bool, kCells> node_{};
    std::array<std::uint8_t, kCells> open_{};  // every side some kept orientation opens toward
    int nodes_ = 0;
    std::array<int, kCells> disc_{}, low_{};
    int clock_ = 0;
    std::array<std::pair<int, int>, kCells> bridges_{};
    int bridgeCount_ = 0;
};

}  // namespace

Pruning pruneDomains(const Letters& b, int source, Domains& domains) {
    return Pruner(b, source, domains).Run();
}

}  // namespace tk::search

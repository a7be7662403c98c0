// Branch and bound over orientation domains: the cheapest winning layout, and which orientations can win.
#include "puzzle/layouts.h"

#include <algorithm>

namespace tk::search {

namespace {

class LayoutSearch {
public:
    LayoutSearch(const Letters& b, int source, LayoutCost cost, bool firstOnly, std::size_t maxNodes)
        : S(shapes()), b_(b), source_(source), firstOnly_(firstOnly), maxNodes_(maxNodes) {
        for (int c = 0; c < kCells; ++c) {
            const int s = S.shapeOf(b[c]);
            if (!inPlay(c) || s < 0) continue;
            const int now = S.orientOf(b[c]);
            for (int o = 0; o < S.orientations[s]; ++o)
                cost_[c][o] = static_cast<std::uint8_t>(
                    cost == LayoutCost::QuarterTurns ? S.turnsBetween(s, now, o) : o != now);
        }
    }

    Layout Run(Domains domains) {
        dfs(domains);
        result_.complete = !outOfNodes_;
        return result_;
    }

private:
    int lowerBound(const Domains& d) const {
        int sum = 0;
        for (int c = 0; c < kCells; ++c) {
            if (!d[c]) continue;
            int least = 4;
            for (int o = 0; o < 4; ++o)
                if (d[c] >> o & 1) least = std::min(least, static_cast<int>(cost_[c][o]));
            sum += least;
        }
        return sum;
    }

    // The undecided pipe with the most failures near it for the orientations it has left:
    // choices that keep failing are settled first, so that a dead end shows at once.
    int pickCell(const Domains& d) const {
        int best = -1;
        double bestScore = -1;
        for (int c = 0; c < kCells; ++c) {
            const int count = __builtin_popcount(d[c]);
            if (count <= 1) continue;
            const double score = (1.0 + failures_[c]) / count;
            if (score > bestScore) {
                best = c;
                bestScore = score;
            }
        }
        return best;
    }

    void dfs(Domains d) {
        if (done()) return;
        ++result_.nodes;
        const Pruning p = pruneDomains(b_, source_, d);
        if (!p.consistent) {
            if (p.cell >= 0) {
                ++failures_[p.cell];
                for (int step : kStep) ++failures_[p.cell + step];
            }
            return;
        }
        const int bound = lowerBound(d);
        if (result_.found && bound >= result_.cost) return;
        const int c = pickCell(d);
        if (c < 0) {
            // Every pipe decided and every cell joined to the source: a winning layout.
            result_.found = true;
            result_.cost = bound;
            result_.orientation = d;
            return;
        }
        std::array<int, 4> choices{};
        int n = 0;
        for (int o = 0; o < 4; ++o)
            if (d[c] >> o & 1) choices[n++] = o;
        std::stable_sort(choices.begin(), choices.begin() + n,
                         [&](int a, int z) { return cost_[c][a] < cost_[c][z]; });
        for (int i = 0; i < n && !done(); ++i) {
            Domains next = d;
            next[c] = static_cast<std::uint8_t>(1u << choices[i]);
            dfs(next);
        }
    }

    bool done() {
        if (firstOnly_ && result_.found) return true;
        if (maxNodes_ && result_.nodes >= maxNodes_) outOfNodes_ = true;
        return outOfNodes_;
    }

    const Shapes& S;
    const Letters& b_;
    int source_;
    bool firstOnly_;
    std::size_t maxNodes_;
    std::array<std::array<std::uint8_t, 4>, kCells> cost_{};
    std::array<int, kCells> failures_{};
    Layout result_;
    bool outOfNodes_ = false;
};

}  // namespace

Layout cheapestLayout(const Letters& b, int source, const Domains& domains, LayoutCost cost,
                      std::size_t maxNodes) {
    return LayoutSearch(b, source, cost, false, maxNodes).Run(domains);
}

WinningOrientations winningOrientations(const Letters& b, int source, const Domains& domains,
                                        std::size_t maxNodes) {
    WinningOrientations w;
    w.complete = true;
    Domains won{};  // orientations seen in a winning layout
    Domains lost{};  // orientations proven never to win
    for (int c = 0; c < kCells; ++c) {
        for (int o = 0; o < 4; ++o) {
            if (!(domains[c] >> o & 1) || (won[c] >> o & 1)) continue;
            const std::size_t left = maxNodes > w.nodes ? maxNodes - w.nodes : 0;
            if (maxNodes && left == 0) {
                w.complete = false;
                continue;
            }
            Domains one = domains;
            one[c] = static_cast<std::uint8_t>(1u << o);
            const Layout l = LayoutSearch(b, source, LayoutCost::QuarterTurns, true, left).Run(one);
            w.nodes += l.nodes;
            if (l.found) {
                for (int k = 0; k < kCells; ++k) won[k] |= l.orientation[k];
            } else if (l.complete) {
                lost[c] |= static_cast<std::uint8_t>(1u << o);
            } else {
                w.complete = false;
            }
        }
    }
    for (int c = 0; c < kCells; ++c) w.possible[c] = domains[c] & ~lost[c];
    return w;
}

}  // namespace tk::search

// Growing a network: a thin winding tree, its dead ends moved where they can look on into another pipe.
#include "puzzle/network.h"

#include <vector>

namespace tk {

namespace {

char letterWithOpenings(std::uint8_t mask) {
    for (char l = 'A'; l <= 'K'; ++l)
        if (tileOpenings(l) == mask) return l;
    return kFloorTile;
}

class Grower {
public:
    explicit Grower(SplitMix64& rng) : rng_(rng) {
        in_.Fill(false);
        joins_.Fill(0);
    }

    Network Grow(int pipes) {
        const Cell source{rng_.Below(kCols), rng_.Below(kRows)};
        add(source, -1);
        while (count_ < pipes && addSomewhere(Placement::Thin)) {
        }
        // A dead end with no pipe ahead of it opens toward nothing: move it between its
        // join and a pipe straight ahead, where there is such a place.
        for (int round = 0; round < 8 * pipes; ++round) {
            const int lone = loneDeadEnd(source);
            if (lone < 0) break;
            const Cell c = members_[static_cast<std::size_t>(lone)];
            if (c.x == source.x && c.y == source.y) {
                // The source stays where it is: give it a second join instead, and let
                // a dead end elsewhere go to keep the count.
                if (!branchFrom(source)) break;
                const int other = loneDeadEnd(source, true);
                if (other >= 0) remove(members_[static_cast<std::size_t>(other)]);
                continue;
            }
            // The dead end goes first, so that its new place cannot lean on it; when
            // there is no place between two pipes, it comes back and the moving stops.
            remove(c);
            if (!addSomewhere(Placement::Between) && !addSomewhere(Placement::Ahead)) {
                add(c, __builtin_ctz(removedJoin_));
                break;
            }
        }
        // Two dead ends that look straight into each other simply join.
        for (const Cell c : members_) {
            if (joinCount(c) != 1) continue;
            const int ahead = opposite(__builtin_ctz(joins_(c.x, c.y)));
            const Cell a{c.x + dirDx(ahead), c.y + dirDy(ahead)};
            if (member(a.x, a.y) && joins_(a.x, a.y) == (1 << ahead)) {
                joins_(c.x, c.y) |= static_cast<std::uint8_t>(1 << ahead);
                joins_(a.x, a.y) |= static_cast<std::uint8_t>(1 << opposite(ahead));
            }
        }
        Network n;
        n.sourceX = source.x;
        n.sourceY = source.y;
        n.pipes = count_;
        n.board.Fill(kBlankTile);
        for (int y = 0; y < kRows; ++y)
            for (int x = 0; x < kCols; ++x) n.board(x, y) = kFloorTile;
        for (const Cell c : members_) {
            std::uint8_t open = joins_(c.x, c.y);
            // A dead end is a straight that looks on past its one join: it has a single
            // way to join, where an elbow would have two.
            if (__builtin_popcount(open) == 1) open |= static_cast<std::uint8_t>(1 << opposite(__builtin_ctz(open)));
            if (open == 0) open = rng_.Below(2) ? 0b0101 : 0b0011;  // a lone source: any pipe
            n.board(c.x, c.y) = letterWithOpenings(open);
        }
        return n;
    }

private:
    enum class Placement {
        Thin,     // beside its join only, or with one pipe straight ahead: a thin, winding tree
        Between,  // between its join and a pipe straight ahead, and nothing else beside it
        Ahead,    // between its join and a pipe straight ahead, whatever else is beside it
    };

    bool member(int x, int y) const { return InPlayArea(x, y) && in_(x, y); }
    int neighbours(int x, int y) const {
        int n = 0;
        for (int d = 0; d < 4; ++d) n += member(x + dirDx(d), y + dirDy(d));
        return n;
    }
    int joinCount(Cell c) const { return __builtin_popcount(joins_(c.x, c.y)); }
    void add(Cell c, int joinDir) {
        in_(c.x, c.y) = true;
        members_.push_back(c);
        ++count_;
        if (joinDir >= 0) {
            joins_(c.x, c.y) |= static_cast<std::uint8_t>(1 << joinDir);
            joins_(c.x + dirDx(joinDir), c.y + dirDy(joinDir)) |=
                static_cast<std::uint8_t>(1 << opposite(joinDir));
        }
    }
    void remove(Cell c) {
        const int d = __builtin_ctz(joins_(c.x, c.y));
        removedJoin_ = joins_(c.x, c.y);
        joins_(c.x + dirDx(d), c.y + dirDy(d)) &= static_cast<std::uint8_t>(~(1 << opposite(d)));
        joins_(c.x, c.y) = 0;
        in_(c.x, c.y) = false;
        for (std::size_t i = 0; i < members_.size(); ++i)
            if (members_[i].x == c.x && members_[i].y == c.y) {
                members_.erase(members_.begin() + static_cast<long>(i));
                break;
            }
        --count_;
    }

    // Joins a free cell beside `c` to it; false when there is none.
    bool branchFrom(Cell c) {
        std::vector<int> dirs;
        for (int d = 0; d < 4; ++d)
            if (InPlayArea(c.x + dirDx(d), c.y + dirDy(d)) && !in_(c.x + dirDx(d), c.y + dirDy(d))) dirs.push_back(d);
        if (dirs.empty()) return false;
        const int d = dirs[static_cast<std::size_t>(rng_.Below(static_cast<int>(dirs.size())))];
        add({c.x + dirDx(d), c.y + dirDy(d)}, opposite(d));
        return true;
    }

    // Joins one free cell beside the network to a pipe with fewer than three joins (no
    // crosses: they cannot be turned). Mostly beside the newest pipes, so that the
    // network winds; a thin cell where there is one, so that few pipes lie side by side
    // without joining (each such pair is a way the water could go instead).
    bool addSomewhere(Placement placement) {
        std::vector<std::pair<Cell, int>> thin, any;  // cell, direction from it to its join
        const int n = static_cast<int>(members_.size());
        const int recent = std::max(0, n - 4);
        const bool preferRecent = placement == Placement::Thin && rng_.Below(3) != 0;
        for (int i = preferRecent ? recent : 0; i < n; ++i) {
            const Cell from = members_[static_cast<std::size_t>(i)];
            if (joinCount(from) >= 3) continue;
            for (int d = 0; d < 4; ++d) {
                const Cell to{from.x + dirDx(d), from.y + dirDy(d)};
                if (!InPlayArea(to.x, to.y) || in_(to.x, to.y)) continue;
                const bool ahead = member(to.x + dirDx(d), to.y + dirDy(d));
                const int others = neighbours(to.x, to.y) - 1 - ahead;
                if (placement == Placement::Between && !(ahead && others == 0)) continue;
                if (placement == Placement::Ahead && !ahead) continue;
                if (others == 0) thin.push_back({to, opposite(d)});
                any.push_back({to, opposite(d)});
            }
        }
        const auto& options = !thin.empty() ? thin : any;
        if (options.empty()) return preferRecent && addSomewhere(Placement::Thin);
        const auto [cell, dir] = options[static_cast<std::size_t>(rng_.Below(static_cast<int>(options.size())))];
        add(cell, dir);
        return true;
    }

    // A member with one join and no pipe straight ahead of it (not the source, with
    // `notSource`); -1 when there is none.
    int loneDeadEnd(Cell source, bool notSource = false) const {
        if (count_ < 2) return -1;
        for (std::size_t i = 0; i < members_.size(); ++i) {
            const Cell c = members_[i];
            if (joinCount(c) != 1 || (notSource && c.x == source.x && c.y == source.y)) continue;
            const int ahead = opposite(__builtin_ctz(joins_(c.x, c.y)));
            if (!member(c.x + dirDx(ahead), c.y + dirDy(ahead))) return static_cast<int>(i);
        }
        return -1;
    }

    SplitMix64& rng_;
    Grid<bool> in_;
    Grid<std::uint8_t> joins_;
    std::vector<Cell> members_;
    int count_ = 0;
    std::uint8_t removedJoin_ = 0;  // the joins of the cell removed last
};

}  // namespace

Network growNetwork(SplitMix64& rng, int pipes) { return Grower(rng).Grow(pipes); }

}  // namespace tk

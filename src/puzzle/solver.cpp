// The level solver: a best-first search over the orientations of the tiles the figure can reach.
#include "puzzle/solver.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <queue>
#include <unordered_map>
#include <vector>

#include "puzzle/movement.h"
#include "puzzle/water.h"

namespace tk {

int planActionCode(char action) {
    switch (action) {
        case kPlanLeft: return dirLeft;
        case kPlanUp: return dirUp;
        case kPlanRight: return dirRight;
        case kPlanDown: return dirDown;
        case kPlanTurnLeft: return turnLeft;
        case kPlanTurnRight: return turnRight;
        default: return dirNone;
    }
}

char planLetter(int directionCode) {
    switch (directionCode) {
        case dirLeft: return kPlanLeft;
        case dirUp: return kPlanUp;
        case dirRight: return kPlanRight;
        case dirDown: return kPlanDown;
        case turnLeft: return kPlanTurnLeft;
        case turnRight: return kPlanTurnRight;
        default: return '?';
    }
}

std::int64_t planMilliseconds(std::string_view plan) {
    return static_cast<std::int64_t>(plan.size()) * kActionMs;
}

double planSeconds(std::string_view plan) { return planMilliseconds(plan) / 1000.0; }

ReplayResult replayPlan(const LevelFile& level, std::string_view plan) {
    ReplayResult result;
    TileGrid board;
    FlowGrid flow;
    placeLevel(level, board, flow);
    int px = level.playerX, py = level.playerY;
    if (!InPlayArea(px, py) || !InPlayArea(level.sourceX, level.sourceY)) {
        result.legal = false;
        result.failedAt = 0;
        return result;
    }
    spreadWater(board, flow, level.sourceX, level.sourceY);
    for (std::size_t i = 0; i < plan.size(); ++i) {
        const int code = planActionCode(plan[i]);
        if (code == turnLeft || code == turnRight) {
            const char before = board(px, py);
            board(px, py) = kBlankTile;
            spreadWater(board, flow, level.sourceX, level.sourceY);
            board(px, py) = quarterTurn(before, code);
            if (spreadWater(board, flow, level.sourceX, level.sourceY)) {
                result.wonAt = static_cast<int>(i);
                return result;
            }
        } else if (code != dirNone && lzeTam(board, px, py, code)) {
            px += dirDx(code);
            py += dirDy(code);
        } else {
            result.legal = false;
            result.failedAt = static_cast<int>(i);
            return result;
        }
    }
    return result;
}

namespace {

// The search works on a padded 13 × 9 copy of the board so neighbours need no range test.
constexpr int kW = kCols + 2, kH = kRows + 2, kCells = kW * kH;
constexpr std::array<int, 4> kStep = {-1, -kW, 1, kW};  // left, up, right, down

int cellOf(int x, int y) { return (y + 1) * kW + (x + 1); }
int cellX(int c) { return c % kW - 1; }
int cellY(int c) { return c / kW - 1; }

using Letters = std::array<char, kCells>;

// Tiles of one shape form a cycle under clockwise turns; a cell's orientation is its
// position in that cycle, so a board packs into two bits per cell.
struct Shapes {
    std::array<std::uint8_t, 256> opens{};
    std::array<std::int8_t, 256> shape{};   // -1 no pipe, 0 cross, 1 tee, 2 straight, 3 elbow
    std::array<std::uint8_t, 256> orient{};
    std::array<std::array<char, 4>, 4> letter{};
    std::array<int, 4> orientations{};

    Shapes() {
        shape.fill(-1);
        const std::array<const char*, 4> cycles = {"A", "BCDE", "FG", "HIJK"};
        for (int s = 0; s < 4; ++s) {
            orientations[s] = static_cast<int>(std::string_view(cycles[s]).size());
            for (int o = 0; o < orientations[s]; ++o) {
                const char l = cycles[s][o];
                shape[static_cast<unsigned char>(l)] = static_cast<std::int8_t>(s);
                orient[static_cast<unsigned char>(l)] = static_cast<std::uint8_t>(o);
                letter[s][o] = l;
            }
        }
        for (int c = 0; c < 256; ++c) opens[c] = tileOpenings(static_cast<char>(c));
    }
    bool opensTo(char l, int d) const { return (opens[static_cast<unsigned char>(l)] >> d) & 1; }
    bool pipe(char l) const { return shape[static_cast<unsigned char>(l)] >= 0; }
};

const Shapes& shapes() {
    static const Shapes s;
    return s;
}

struct Key {
    std::array<std::uint64_t, 3> w{};
    friend bool operator==(const Key&, const Key&) = default;
};

struct KeyHash {
    std::size_t operator()(const Key& k) const {
        std::uint64_t h = 0x9e3779b97f4a7c15ull;
        for (auto v : k.w) {
            h ^= v + 0x9e3779b97f4a7c15ull + (h << 6) + (h >> 2);
            h *= 0xbf58476d1ce4e5b9ull;
        }
        return static_cast<std::size_t>(h ^ (h >> 31));
    }
};

// How much the estimate outweighs the actions already spent: higher finds plans sooner,
// lower finds shorter plans.
constexpr long kWeight = 3;

class Search {
public:
    Search(const LevelFile& level, const SolveOptions& options) : options_(options), S(shapes()) {
        letters_.fill(kBlankTile);
        for (int y = 0; y < kRows; ++y)
            for (int x = 0; x < kCols; ++x)
                if (static_cast<std::size_t>(x) < level.rows[y].size())
                    letters_[cellOf(x, y)] = level.Tile(x, y);
        source_ = cellOf(level.sourceX, level.sourceY);
        player_ = cellOf(level.playerX, level.playerY);
        for (int y = 0; y < kRows; ++y)
            for (int x = 0; x < kCols; ++x) playCells_.push_back(cellOf(x, y));
    }

    SolveResult Run();

private:
    struct Node {
        Key key;
        int parent = -1;
        int figure = 0;    // where the figure stands after the turn that made this node
        int turnCode = 0;  // that turn, 0 for the start
        int g = 0;         // actions from the start
    };

    bool wet(const Letters& b, std::array<bool, kCells>& reached) const;
    bool solved(const Letters& b) const {
        std::array<bool, kCells> reached{};
        return wet(b, reached);
    }
    int dryCount(const Letters& b) const;
    long heuristic(const Letters& b) const;
    // Distances by steps from `from` through joined pipes; -1 where the figure cannot go.
    void walk(const Letters& b, int from, std::array<int, kCells>& dist,
              std::vector<int>& order) const;
    int componentId(const Letters& b, int from) const;
    // Empty when water could still reach every cell; else the first cell it never can.
    int hopelessCell(const Letters& b, int figure) const;
    Key encode(const Letters& b, int component) const;
    std::string pathTo(const Letters& b, int from, int to) const;
    std::string buildPlan(int goal, int lastFigure, int lastTurn) const;
    bool outOfBudget(std::size_t expanded) const;

    SolveOptions options_;
    const Shapes& S;
    Letters letters_;
    int source_ = 0, player_ = 0;
    std::vector<int> playCells_;
    std::vector<Node> nodes_;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

bool Search::wet(const Letters& b, std::array<bool, kCells>& reached) const {
    std::array<int, kCells> stack{};
    int top = 0;
    reached[source_] = true;
    stack[top++] = source_;
    while (top) {
        const int c = stack[--top];
        for (int d = 0; d < 4; ++d) {
            const int n = c + kStep[d];
            if (!reached[n] && S.opensTo(b[c], d) && S.opensTo(b[n], opposite(d))) {
                reached[n] = true;
                stack[top++] = n;
            }
        }
    }
    for (int c : playCells_)
        if (b[c] != kFloorTile && !reached[c]) return false;
    return true;
}

int Search::dryCount(const Letters& b) const {
    std::array<bool, kCells> reached{};
    wet(b, reached);
    int n = 0;
    for (int c : playCells_) n += b[c] != kFloorTile && !reached[c];
    return n;
}

// An estimate of the work left, not a bound: every dry cell counts twice, and every
// side where one pipe opens toward a neighbouring pipe that does not open back counts
// once. Half-open sides are what the figure has to mend; dry cells alone give long flat
// stretches where the search cannot tell good turns from bad ones.
long Search::heuristic(const Letters& b) const {
    int halfOpen = 0;
    for (int c : playCells_) {
        if (!S.pipe(b[c])) continue;
        for (int d = dirRight; d <= dirDown; ++d) {
            const int n = c + kStep[d];
            if (S.pipe(b[n]) && S.opensTo(b[c], d) != S.opensTo(b[n], opposite(d))) ++halfOpen;
        }
    }
    return 2L * dryCount(b) + halfOpen;
}

void Search::walk(const Letters& b, int from, std::array<int, kCells>& dist,
                  std::vector<int>& order) const {
    dist.fill(-1);
    order.clear();
    dist[from] = 0;
    order.push_back(from);
    for (std::size_t i = 0; i < order.size(); ++i) {
        const int c = order[i];
        for (int d = 0; d < 4; ++d) {
            const int n = c + kStep[d];
            if (dist[n] < 0 && S.opensTo(b[c], d) && S.opensTo(b[n], opposite(d))) {
                dist[n] = dist[c] + 1;
                order.push_back(n);
            }
        }
    }
}

int Search::componentId(const Letters& b, int from) const {
    std::array<int, kCells> dist;
    std::vector<int> order;
    walk(b, from, dist, order);
    return *std::min_element(order.begin(), order.end());
}

int Search::hopelessCell(const Letters& b, int figure) const {
    // Tiles the figure may ever stand on: it can turn any tile it stands on toward a
    // neighbour, but enters that neighbour only if the neighbour, still untouched,
    // already opens back. Every other tile keeps its letter for good.
    std::array<bool, kCells> free{};
    if (S.pipe(b[figure])) free[figure] = true;
    for (bool grew = true; grew;) {
        grew = false;
        for (int c : playCells_) {
            if (free[c] || !S.pipe(b[c])) continue;
            for (int d = 0; d < 4; ++d) {
                if (free[c + kStep[d]] && S.opensTo(b[c], d)) {
                    free[c] = grew = true;
                    break;
                }
            }
        }
    }
    auto canOpen = [&](int c, int d) { return free[c] ? S.pipe(b[c]) : S.opensTo(b[c], d); };
    std::array<bool, kCells> reached{};
    std::vector<int> stack = {source_};
    reached[source_] = true;
    while (!stack.empty()) {
        const int c = stack.back();
        stack.pop_back();
        for (int d = 0; d < 4; ++d) {
            const int n = c + kStep[d];
            if (!reached[n] && canOpen(c, d) && canOpen(n, opposite(d))) {
                reached[n] = true;
                stack.push_back(n);
            }
        }
    }
    for (int c : playCells_)
        if (b[c] != kFloorTile && !reached[c]) return c;
    return -1;
}

Key Search::encode(const Letters& b, int component) const {
    Key k;
    int bit = 0;
    for (int c : playCells_) {
        const std::uint64_t o = S.orient[static_cast<unsigned char>(b[c])];
        k.w[bit / 64] |= o << (bit % 64);
        bit += 2;
    }
    k.w[2] |= static_cast<std::uint64_t>(component) << 56;
    return k;
}

std::string Search::pathTo(const Letters& b, int from, int to) const {
    std::array<int, kCells> dist;
    std::vector<int> order;
    walk(b, to, dist, order);  // distances to the target: walk downhill from `from`
    std::string path;
    for (int c = from; c != to;) {
        for (int d = 0; d < 4; ++d) {
            const int n = c + kStep[d];
            if (dist[n] == dist[c] - 1 && S.opensTo(b[c], d) && S.opensTo(b[n], opposite(d))) {
                path += planLetter(d);
                c = n;
                break;
            }
        }
    }
    return path;
}

std::string Search::buildPlan(int goal, int lastFigure, int lastTurn) const {
    std::vector<std::pair<int, int>> turns = {{lastFigure, lastTurn}};
    for (int n = goal; nodes_[n].parent >= 0; n = nodes_[n].parent)
        turns.emplace_back(nodes_[n].figure, nodes_[n].turnCode);
    std::reverse(turns.begin(), turns.end());
    Letters b = letters_;
    int at = player_;
    std::string plan;
    for (auto [cell, code] : turns) {
        plan += pathTo(b, at, cell);
        plan += planLetter(code);
        at = cell;
        b[cell] = quarterTurn(b[cell], code);
    }
    return plan;
}

bool Search::outOfBudget(std::size_t expanded) const {
    if (options_.maxStates && nodes_.size() >= options_.maxStates) return true;
    if (options_.maxSeconds > 0 && expanded % 64 == 0) {
        const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start_;
        if (spent.count() > options_.maxSeconds) return true;
    }
    return false;
}

std::string where(int c) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "column %d, row %d", cellX(c), cellY(c));
    return buf;
}

SolveResult Search::Run() {
    SolveResult result;
    result.status = SolveStatus::Unsolvable;
    if (!S.pipe(letters_[player_])) {
        result.reason = std::string("the figure stands on ") +
                        (letters_[player_] == kFloorTile ? "a floor" : "a blank") +
                        " cell at " + where(player_) + " and can neither walk nor turn a pipe";
        return result;
    }
    for (int c : playCells_) {
        if (letters_[c] == kBlankTile && c != source_) {
            result.reason = "the blank cell at " + where(c) + " can never hold water";
            return result;
        }
        if (letters_[c] != kFloorTile && letters_[c] != kBlankTile && !S.pipe(letters_[c])) {
            result.reason = "the cell at " + where(c) + " holds no known tile";
            return result;
        }
    }
    if (int c = hopelessCell(letters_, player_); c >= 0) {
        result.reason = "the water can never reach the cell at " + where(c);
        return result;
    }

    // Best-first over boards: a node is a board and the set of cells the figure can walk
    // to on it; an edge walks to one of those cells and turns its tile a quarter.
    using Entry = std::pair<long, int>;  // priority, node; smaller first
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> open;
    std::unordered_map<Key, int, KeyHash> seen;
    nodes_.push_back({encode(letters_, componentId(letters_, player_)), -1, player_, 0, 0});
    seen.emplace(nodes_[0].key, 0);
    open.emplace(0, 0);

    std::array<int, kCells> dist;
    std::vector<int> order;
    std::size_t expanded = 0;
    while (!open.empty()) {
        if (outOfBudget(++expanded)) {
            result.status = SolveStatus::Undecided;
            result.reason = "the search ran out of its budget";
            result.states = nodes_.size();
            return result;
        }
        const int id = open.top().second;
        open.pop();
        const Node node = nodes_[id];
        Letters b = letters_;
        // Decode: every pipe keeps its shape and takes the stored orientation.
        {
            int bit = 0;
            for (int c : playCells_) {
                const int s = S.shape[static_cast<unsigned char>(b[c])];
                const int o = static_cast<int>((node.key.w[bit / 64] >> (bit % 64)) & 3);
                if (s >= 0) b[c] = S.letter[s][o];
                bit += 2;
            }
        }
        walk(b, node.figure, dist, order);
        const bool solvedNow = solved(b);
        for (int cell : order) {
            const char before = b[cell];
            const int shape = S.shape[static_cast<unsigned char>(before)];
            if (shape == 0) {
                // A cross looks the same after a turn: it only serves to win a board
                // that is already wet everywhere, since a win needs a turn.
                if (solvedNow) {
                    result.status = SolveStatus::Solved;
                    result.plan = buildPlan(id, cell, turnRight);
                    result.states = nodes_.size();
                    return result;
                }
                continue;
            }
            for (int code : {turnRight, turnLeft}) {
                if (code == turnLeft && shape == 2) continue;  // a straight's two turns agree
                b[cell] = quarterTurn(before, code);
                if (solved(b)) {
                    result.status = SolveStatus::Solved;
                    result.plan = buildPlan(id, cell, code);
                    result.states = nodes_.size();
                    return result;
                }
                const Key key = encode(b, componentId(b, cell));
                if (!seen.count(key)) {
                    const int child = static_cast<int>(nodes_.size());
                    seen.emplace(key, child);
                    if (hopelessCell(b, cell) < 0) {
                        nodes_.push_back({key, id, cell, code, node.g + dist[cell] + 1});
                        const long h = heuristic(b);
                        open.emplace(nodes_.back().g + kWeight * h, child);
                    } else {
                        nodes_.push_back({key, id, cell, code, -1});  // a dead end, kept for `seen`
                    }
                }
                b[cell] = before;
            }
        }
    }
    result.reason = "no sequence of steps and turns wets every cell";
    result.states = nodes_.size();
    return result;
}

}  // namespace

SolveResult solveLevel(const LevelFile& level, const SolveOptions& options) {
    if (!InPlayArea(level.sourceX, level.sourceY)) {
        SolveResult r;
        r.status = SolveStatus::Unsolvable;
        r.reason = "the source lies outside the field";
        return r;
    }
    if (!InPlayArea(level.playerX, level.playerY)) {
        SolveResult r;
        r.status = SolveStatus::Unsolvable;
        r.reason = "the figure starts outside the field";
        return r;
    }
    Search search(level, options);
    return search.Run();
}

}  // namespace tk

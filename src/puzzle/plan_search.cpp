// Best-first search for a short plan: macro moves (walk to a pipe, turn it), packed boards, an admissible estimate.
#include "puzzle/plan_search.h"

#include <algorithm>
#include <functional>
#include <tuple>
#include <vector>

#include "puzzle/plan_writer.h"
#include "puzzle/state_table.h"

namespace tk::search {

namespace {

// A heap entry packs the priority, the actions spent (so that ties go to the deeper
// board, and so that an entry whose board was since reached more cheaply is known as
// stale) and the state number into one word.
constexpr int kIdBits = 24, kDepthBits = 14;
constexpr std::uint64_t kMaxIds = 1ull << kIdBits;
constexpr int kMaxDepth = (1 << kDepthBits) - 1;

std::uint64_t entry(std::uint64_t priority, int g, std::uint32_t id) {
    return priority << (kIdBits + kDepthBits) |
           static_cast<std::uint64_t>(kMaxDepth - g) << kIdBits | id;
}
std::uint32_t entryId(std::uint64_t e) { return static_cast<std::uint32_t>(e & (kMaxIds - 1)); }
int entryDepth(std::uint64_t e) { return kMaxDepth - static_cast<int>(e >> kIdBits & kMaxDepth); }

class Search {
public:
    Search(const Problem& p, const SearchLimits& limits);
    SearchOutcome Run();

private:
    struct Node {
        std::uint32_t parent;
        std::uint16_t g;       // actions from the start
        std::uint16_t h;       // the estimate that never overshoots
        std::uint8_t figure;   // where the figure stands: the cell it turned last
        std::uint8_t turn;     // that turn: 1 clockwise, 0 counter-clockwise
    };

    void encode(const std::array<std::uint8_t, kCells>& orient, int figure, std::uint64_t* key) const;
    void decode(const std::uint64_t* key, std::array<std::uint8_t, kCells>& orient, Letters& b) const;
    static void setBits(std::uint64_t* key, int pos, int width, std::uint64_t value) {
        const std::uint64_t mask = ((1ull << width) - 1) << (pos % 64);
        key[pos / 64] = (key[pos / 64] & ~mask) | (value << (pos % 64));
    }
    void push(std::uint32_t id, int g, int h, int guide) {
        const auto priority = static_cast<std::uint64_t>(10 * g + limits_.weightTenths * (h + guide));
        heap_.push_back(entry(priority, g, id));
        std::push_heap(heap_.begin(), heap_.end(), std::greater<>());
    }
    void expand(std::uint32_t id);
    void offer(std::uint32_t parent, int g, int h, int guide, int cell, int turn, const std::uint64_t* key);
    // A turn that wets every cell: the plan in hand from now on (the caller checked that
    // it is shorter).
    void won(std::uint32_t parent, int cell, int turn, int g) {
        bound_ = g;
        found_ = true;
        goalParent_ = parent;
        goalCell_ = cell;
        goalTurn_ = turn;
    }
    std::string buildPlan() const;
    bool useful(int c, int from, int to) const;
    // The steps the figure needs at least to stand on every target, from `from`; with
    // roundEstimate, an estimate of them that may overshoot.
    int walkEstimate(int from);
    int takeStock();
    bool outOfBudget() const {
        return (limits_.maxStates && nodes_.size() >= limits_.maxStates) || nodes_.size() >= kMaxIds;
    }

    const Problem& P;
    const Shapes& S;
    SearchLimits limits_;
    std::vector<int> vars_;                       // free pipes with more than one orientation
    std::array<std::int16_t, kCells> bitPos_{};  // where a var's orientation sits in the key
    int figurePos_ = 0;
    std::array<std::array<std::uint8_t, 4>, kCells> cost_{};  // quarter turns into the domain
    std::array<std::array<std::uint8_t, 4>, kCells> fromStart_{};  // quarter turns from the start
    std::vector<std::uint8_t> walk_;  // steps between two free cells over free cells, 255 never
    bool startWet_ = false;

    StateTable table_;
    std::vector<Node> nodes_;
    std::vector<std::uint64_t> heap_;
    int bound_ = kMaxDepth + 1;  // a plan must have fewer actions than this to count
    bool found_ = false;
    bool full_ = false;  // a new board was turned away for the budget
    std::uint32_t goalParent_ = 0;
    int goalCell_ = 0, goalTurn_ = 0;

    // Scratch for one expansion; kept here so that nothing is allocated per board.
    std::array<std::uint8_t, kCells> orient_{};
    Letters board_{};
    std::array<std::int16_t, kCells> dist_{};
    std::array<std::uint8_t, kCells> order_{};
    std::array<std::int16_t, kCells> regionDist_{};
    std::array<std::uint8_t, kCells> regionOrder_{};
    WaterMap water_;
    std::vector<int> targets_;
    int moved_ = 0;  // quarter turns between the expanded board and the start
    std::array<int, kCells> points_{}, reach_{};
    std::vector<std::uint64_t> key_;
};

// Where the next field of `width` bits goes: fields never straddle two words.
int fieldAt(int bit, int width) { return bit % 64 + width > 64 ? (bit / 64 + 1) * 64 : bit; }

int keyWidth(const Problem& p) {
    const Shapes& S = shapes();
    int bit = 0;
    for (int c = 0; c < kCells; ++c) {
        const int s = S.shapeOf(p.start[c]);
        if (!p.free[c] || !inPlay(c) || s <= kCross) continue;
        const int width = s == kStraight ? 1 : 2;
        bit = fieldAt(bit, width) + width;
    }
    bit = fieldAt(bit, 7) + 7;  // the figure's cell
    return (bit + 63) / 64;
}

Search::Search(const Problem& p, const SearchLimits& limits)
    : P(p), S(shapes()), limits_(limits), table_(keyWidth(p)) {
    if (limits_.weightTenths < 10) limits_.weightTenths = 10;
    if (limits_.beat > 0) bound_ = std::min(bound_, limits_.beat);
    int bit = 0;
    bitPos_.fill(-1);
    for (int c = 0; c < kCells; ++c) {
        const int s = S.shapeOf(p.start[c]);
        if (!p.free[c] || !inPlay(c) || s <= kCross) continue;
        vars_.push_back(c);
        const int width = s == kStraight ? 1 : 2;
        bit = fieldAt(bit, width);
        bitPos_[c] = static_cast<std::int16_t>(bit);
        bit += width;
        for (int o = 0; o < S.orientations[s]; ++o) {
            int fewest = 4;
            for (int t = 0; t < S.orientations[s]; ++t)
                if (p.domains[c] >> t & 1) fewest = std::min(fewest, S.turnsBetween(s, o, t));
            cost_[c][o] = static_cast<std::uint8_t>(fewest);
            fromStart_[c][o] = static_cast<std::uint8_t>(S.turnsBetween(s, S.orientOf(p.start[c]), o));
        }
    }
    figurePos_ = fieldAt(bit, 7);

    // Walking distances: the figure only ever stands on free cells, and can make any two
    // neighbouring free cells join, so distances over them never overshoot.
    walk_.assign(static_cast<std::size_t>(kCells) * kCells, 255);
    for (int from = 0; from < kCells; ++from) {
        if (!P.free[from]) continue;
        std::uint8_t* row = &walk_[static_cast<std::size_t>(from) * kCells];
        std::array<int, kCells> queue;
        int head = 0, tail = 0;
        row[from] = 0;
        queue[tail++] = from;
        while (head < tail) {
            const int c = queue[head++];
            for (int d = 0; d < 4; ++d) {
                const int n = c + kStep[d];
                if (P.free[n] && row[n] == 255) {
                    row[n] = static_cast<std::uint8_t>(row[c] + 1);
                    queue[tail++] = n;
                }
            }
        }
    }
    startWet_ = allWet(P.start, P.source);
    key_.assign(static_cast<std::size_t>(table_.Width()), 0);
}

void Search::encode(const std::array<std::uint8_t, kCells>& orient, int figure,
                    std::uint64_t* key) const {
    std::fill(key, key + table_.Width(), 0);
    for (int c : vars_) setBits(key, bitPos_[c], S.shapeOf(P.start[c]) == kStraight ? 1 : 2, orient[c]);
    setBits(key, figurePos_, 7, static_cast<std::uint64_t>(figure));
}

void Search::decode(const std::uint64_t* key, std::array<std::uint8_t, kCells>& orient,
                    Letters& b) const {
    b = P.start;
    for (int c : vars_) {
        const int s = S.shapeOf(P.start[c]);
        const int pos = bitPos_[c];
        const int o = static_cast<int>(key[pos / 64] >> (pos % 64) & (s == kStraight ? 1 : 3));
        orient[c] = static_cast<std::uint8_t>(o);
        b[c] = S.letter[s][o];
    }
}

void Search::offer(std::uint32_t parent, int g, int h, int guide, int cell, int turn,
                   const std::uint64_t* key) {
    const Node fresh = {parent, static_cast<std::uint16_t>(g), static_cast<std::uint16_t>(h),
                        static_cast<std::uint8_t>(cell), static_cast<std::uint8_t>(turn)};
    std::uint32_t id = 0;
    bool added = false;
    if (outOfBudget()) {
        // Only a board already kept may still get a shorter way; a new one would pass
        // the budget.
        bool known = false;
        std::tie(id, known) = table_.Find(key);
        if (!known) {
            full_ = true;
            return;
        }
    } else {
        std::tie(id, added) = table_.FindOrAdd(key);
    }
    if (added) {
        nodes_.push_back(fresh);
    } else {
        // A first plan needs no better ways to boards already seen.
        if (nodes_[id].g <= g || !limits_.improve) return;
        nodes_[id] = fresh;
    }
    push(id, g, h, guide);
}

void Search::expand(std::uint32_t id) {
    const Node node = nodes_[id];
    decode(table_.Key(id), orient_, board_);
    const int reach = walkFrom(board_, node.figure, dist_, order_);

    const bool guided = limits_.dryTenths || limits_.halfOpenTenths;
    water_.Spread(board_, P.source);
    const int halfOpen = limits_.halfOpenTenths ? halfOpenSides(board_) : 0;
    const int turnsLeft = takeStock();

    for (int i = 0; i < reach; ++i) {
        const int c = order_[i];
        const int g = node.g + dist_[c] + 1;
        if (g >= bound_) continue;
        const int s = S.shapeOf(board_[c]);
        if (s == kCross || bitPos_[c] < 0) {
            // A cross looks the same after a turn: it only wins a board that was wet to
            // begin with, since nothing else is ever kept wet.
            if (s == kCross && id == 0 && startWet_) won(id, c, 1, g);
            continue;
        }
        const int n = S.orientations[s], o = orient_[c];
        const int walkLeft = walkEstimate(c);
        for (int turn = 1; turn >= 0; --turn) {
            if (turn == 0 && s == kStraight) break;  // a straight's two turns agree
            const int o2 = turn ? (o + 1) % n : (o + n - 1) % n;
            if (limits_.usefulTurnsOnly && !useful(c, o, o2)) continue;
            const int turns2 = turnsLeft - cost_[c][o] + cost_[c][o2];
            const int moved2 = moved_ - fromStart_[c][o] + fromStart_[c][o2];
            const int atLeast = std::max(turns2, P.leastTurns - moved2);
            int h;
            const int dry = turns2 == 0 || guided ? water_.DryAfterTurn(board_, P.source, c, S.letter[s][o2]) : -1;
            if (turns2 == 0) {
                if (dry == 0) {
                    won(id, c, turn, g);
                    continue;
                }
                h = std::max(1, atLeast);  // still dry somewhere: a turn at least
            } else {
                h = atLeast + walkLeft;
            }
            if (g + h >= bound_) continue;
            int guide = 0;
            if (guided) {
                guide = dry * limits_.dryTenths;
                const int halfBefore = limits_.halfOpenTenths ? halfOpenSidesAt(board_, c) : 0;
                board_[c] = S.letter[s][o2];
                if (limits_.halfOpenTenths)
                    guide += (halfOpen - halfBefore + halfOpenSidesAt(board_, c)) * limits_.halfOpenTenths;
                guide /= 10;
                board_[c] = S.letter[s][o];
            }
            std::copy(table_.Key(id), table_.Key(id) + table_.Width(), key_.begin());
            setBits(key_.data(), bitPos_[c], s == kStraight ? 1 : 2, static_cast<std::uint64_t>(o2));
            int place = c;
            if (limits_.mergeRegions) {
                board_[c] = S.letter[s][o2];
                const int count = walkFrom(board_, c, regionDist_, regionOrder_);
                board_[c] = S.letter[s][o];
                place = *std::min_element(regionOrder_.begin(), regionOrder_.begin() + count);
            }
            setBits(key_.data(), figurePos_, 7, static_cast<std::uint64_t>(place));
            offer(id, g, h, guide, c, turn, key_.data());
        }
    }
}

// Nearer a winning orientation, from one to another, or opening the way to a pipe that
// opens back and that the figure cannot walk to on the expanded board.
bool Search::useful(int c, int from, int to) const {
    if (cost_[c][to] < cost_[c][from] || (cost_[c][to] == 0 && cost_[c][from] == 0)) return true;
    const int s = S.shapeOf(board_[c]);
    for (int d = 0; d < 4; ++d) {
        const int n = c + kStep[d];
        if ((S.openings[s][to] >> d & 1) && P.free[n] && dist_[n] < 0 && S.opensTo(board_[n], opposite(d)))
            return true;
    }
    return false;
}

// Quarter turns still owed to the domains, the targets (pipes owing some) and how far
// the board has turned from the start, for the board in orient_.
int Search::takeStock() {
    int owed = 0;
    moved_ = 0;
    targets_.clear();
    for (int c : vars_) {
        const int k = cost_[c][orient_[c]];
        owed += k;
        moved_ += fromStart_[c][orient_[c]];
        if (k) targets_.push_back(c);
    }
    return owed;
}

// Any walk that visits every target, read as a tree, spans them, so it is at least as
// long as the shortest tree spanning them (Prim's, over the walking distances between
// free cells). A walk along a tree comes back over every branch but the last, hence the
// round's estimate.
int Search::walkEstimate(int from) {
    int n = 0;
    points_[n++] = from;
    for (int t : targets_)
        if (t != from) points_[n++] = t;
    if (n == 1) return 0;
    int farthest = 0;
    for (int i = 1; i < n; ++i) {
        reach_[i] = walk_[static_cast<std::size_t>(from) * kCells + points_[i]];
        farthest = std::max(farthest, reach_[i]);
    }
    int total = 0;
    for (int left = n - 1; left > 0; --left) {
        int pick = 1;
        for (int i = 2; i <= left; ++i)
            if (reach_[i] < reach_[pick]) pick = i;
        total += reach_[pick];
        const int p = points_[pick];
        points_[pick] = points_[left];
        reach_[pick] = reach_[left];
        const std::uint8_t* row = &walk_[static_cast<std::size_t>(p) * kCells];
        for (int i = 1; i < left; ++i) reach_[i] = std::min(reach_[i], static_cast<int>(row[points_[i]]));
    }
    return limits_.roundEstimate ? 2 * total - farthest : total;
}

std::string Search::buildPlan() const {
    std::vector<std::pair<int, int>> turns = {{goalCell_, goalTurn_}};
    for (std::uint32_t n = goalParent_; n != 0; n = nodes_[n].parent)
        turns.emplace_back(nodes_[n].figure, nodes_[n].turn);
    std::reverse(turns.begin(), turns.end());
    // Written out by the action rule; where the search's own board got a move wrong, the
    // plan no longer wins at its last letter, which the solver's tests replay to catch.
    PlanWriter writer(P.start, P.source, P.figure);
    for (auto [cell, turn] : turns)
        if (!writer.WalkTo(cell) || !writer.Take(turn ? Action::TurnRight : Action::TurnLeft)) break;
    return writer.Plan();
}

SearchOutcome Search::Run() {
    SearchOutcome out;
    for (int c : vars_) orient_[c] = static_cast<std::uint8_t>(S.orientOf(P.start[c]));
    encode(orient_, P.figure, key_.data());
    table_.FindOrAdd(key_.data());
    const int startH = std::max(1, std::max(takeStock(), P.leastTurns) + walkEstimate(P.figure));
    nodes_.push_back({0, 0, static_cast<std::uint16_t>(startH), static_cast<std::uint8_t>(P.figure), 0});
    push(0, 0, startH, 0);

    bool stopped = false;
    while (!heap_.empty()) {
        const std::uint64_t top = heap_.front();
        const std::uint32_t id = entryId(top);
        const int g = entryDepth(top);
        const bool stale = nodes_[id].g != g;  // reached more cheaply since
        const int h = nodes_[id].h;
        if (!stale && g + h < bound_ && (full_ || outOfBudget() || (found_ && !limits_.improve))) {
            stopped = true;  // the entry stays, for the lower bound
            break;
        }
        std::pop_heap(heap_.begin(), heap_.end(), std::greater<>());
        heap_.pop_back();
        if (!stale && g + h < bound_) expand(id);
    }

    out.found = found_;
    if (out.found) out.plan = buildPlan();
    out.states = nodes_.size();
    out.bytes = table_.BytesUsed() + nodes_.capacity() * sizeof(Node) +
                heap_.capacity() * sizeof(std::uint64_t) + walk_.capacity();
    // Turns left out, or an estimate that may overshoot, leave boards unseen: no bound.
    if (limits_.usefulTurnsOnly || limits_.roundEstimate) return out;
    out.complete = !stopped;
    // What is left to look at bounds every plan not yet found from below.
    int bound = bound_;
    if (out.complete) {
        out.lowerBound = bound_ > kMaxDepth ? 0 : bound_;
    } else {
        for (std::uint64_t e : heap_) {
            const std::uint32_t id = entryId(e);
            const int g = entryDepth(e);
            if (nodes_[id].g == g) bound = std::min(bound, g + nodes_[id].h);
        }
        out.lowerBound = bound;
    }
    return out;
}

}  // namespace

SearchOutcome searchPlan(const Problem& problem, const SearchLimits& limits) {
    return Search(problem, limits).Run();
}

}  // namespace tk::search

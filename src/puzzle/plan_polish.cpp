// Polishing a plan: visits of pipes re-ordered, dropped, merged and re-aimed while the plan still wins and gets shorter.
#include "puzzle/plan_polish.h"

#include <algorithm>
#include <vector>

#include "puzzle/plan_writer.h"
#include "puzzle/solver.h"

namespace tk::search {

namespace {

// The figure walks to `cell` by a shortest way and turns its pipe to `orientation`.
struct Visit {
    int cell = 0;
    int orientation = 0;
};

// Where a plan stands before one of its visits.
struct Before {
    Letters board{};
    int figure = 0;
    int actions = 0;
};

constexpr int kNoWin = 1 << 20;

class Polisher {
public:
    Polisher(const Problem& p, std::size_t maxTrials) : P(p), S(shapes()), maxTrials_(maxTrials) {}

    // The plan's turns, read as visits as far as the rule plays it.
    std::vector<Visit> Visits(std::string_view plan) const {
        std::vector<Visit> visits;
        PlanWriter reader(P.start, P.source, P.figure);
        for (char a : plan) {
            const Action action = planAction(a);
            if (!reader.Take(action)) break;
            if (!isTurn(action)) continue;
            const int at = reader.Figure();
            if (visits.empty() || visits.back().cell != at) visits.push_back({at, 0});
            visits.back().orientation = S.orientOf(reader.Board()[at]);
        }
        return visits;
    }

    // False when the visits do not win to begin with.
    bool Polish(std::vector<Visit>& visits) {
        best_ = actions(visits, 0, {P.start, P.figure, 0});
        if (best_ >= kNoWin) return false;
        for (bool better = true; better && !spent();) {
            better = false;
            for (std::size_t i = 0; i < visits.size() && !spent(); ++i)
                better |= dropOrReaim(visits, i);
            for (std::size_t i = 0; i < visits.size() && !spent(); ++i)
                better |= turnOnTheWay(visits, i);
            for (std::size_t i = 0; i < visits.size() && !spent(); ++i)
                for (std::size_t j = 0; j < visits.size() && !spent(); ++j)
                    if (i != j) better |= move(visits, i, j);
        }
        return true;
    }

    // The plan letters of the visits, up to the quarter turn that wins; empty when the
    // rule finds no win in them.
    std::string Plan(const std::vector<Visit>& visits) const {
        PlanWriter writer(P.start, P.source, P.figure);
        for (const Visit& v : visits) {
            if (!writer.Visit(v.cell, v.orientation)) return {};
            if (writer.Won()) return writer.Plan();
        }
        return {};
    }

    std::size_t Trials() const { return trials_; }

private:
    bool spent() const { return trials_ >= maxTrials_; }

    // Steps of a shortest walk from one cell to another on the board, -1 when none.
    int steps(const Letters& b, int from, int to) {
        if (from == to) return 0;
        ++round_;
        int head = 0, tail = 0;
        queue_[tail++] = from;
        seen_[from] = round_;
        dist_[from] = 0;
        while (head < tail) {
            const int c = queue_[head++];
            const std::uint8_t open = S.opensOf(b[c]);
            for (int d = 0; d < 4; ++d) {
                const int n = c + kStep[d];
                if (!(open >> d & 1) || seen_[n] == round_ || !S.opensTo(b[n], opposite(d))) continue;
                if (n == to) return dist_[c] + 1;
                seen_[n] = round_;
                dist_[n] = dist_[c] + 1;
                queue_[tail++] = n;
            }
        }
        return -1;
    }

    // Plays the visits from `first` on, from where the plan stands before it; the actions
    // of the whole plan when its last board wins, else kNoWin. Fills `before` for every
    // visit it plays when asked.
    int actions(const std::vector<Visit>& visits, std::size_t first, Before at,
                std::vector<Before>* before = nullptr) {
        ++trials_;
        for (std::size_t i = first; i < visits.size(); ++i) {
            if (before) (*before)[i] = at;
            const int walk = steps(at.board, at.figure, visits[i].cell);
            if (walk < 0) return kNoWin;
            at.figure = visits[i].cell;
            const int s = S.shapeOf(at.board[at.figure]);
            at.actions += walk + S.turnsBetween(s, S.orientOf(at.board[at.figure]), visits[i].orientation);
            at.board[at.figure] = S.letter[s][visits[i].orientation];
        }
        return allWet(at.board, P.source) ? at.actions : kNoWin;
    }

    // Where the plan in hand stands before each of its visits.
    const std::vector<Before>& before(const std::vector<Visit>& visits) {
        if (!fresh_) {
            before_.resize(visits.size() + 1);
            actions(visits, 0, {P.start, P.figure, 0}, &before_);
            fresh_ = true;
        }
        return before_;
    }

    // Keeps `tried` when it wins in fewer actions than the plan in hand; it differs from
    // `visits` from `first` on.
    bool keep(std::vector<Visit>& visits, std::vector<Visit>& tried, std::size_t first) {
        const Before at = before(visits)[first];
        const int n = actions(tried, first, at);
        if (n >= best_) return false;
        best_ = n;
        visits.swap(tried);
        fresh_ = false;
        return true;
    }

    bool dropOrReaim(std::vector<Visit>& visits, std::size_t i) {
        std::vector<Visit> tried = visits;
        tried.erase(tried.begin() + static_cast<long>(i));
        if (keep(visits, tried, i)) return true;
        // Two visits of one pipe made one: the first turns it to where the second did.
        for (std::size_t j = i + 1; j < visits.size(); ++j) {
            if (visits[j].cell != visits[i].cell) continue;
            tried = visits;
            tried[i].orientation = visits[j].orientation;
            tried.erase(tried.begin() + static_cast<long>(j));
            if (keep(visits, tried, i)) return true;
            break;
        }
        const int s = S.shapeOf(P.start[visits[i].cell]);
        for (int o = 0; o < S.orientations[s] && !spent(); ++o) {
            if (o == visits[i].orientation) continue;
            tried = visits;
            tried[i].orientation = o;
            if (keep(visits, tried, i)) return true;
        }
        return false;
    }

    // A pipe the figure walks over on its way to visit i, turned as it passes: a way
    // that opens there may spare a longer walk later.
    bool turnOnTheWay(std::vector<Visit>& visits, std::size_t i) {
        const Before at = before(visits)[i];
        std::string steps;
        appendWalk(at.board, at.figure, visits[i].cell, steps);
        PlanWriter walk(at.board, P.source, at.figure);
        for (char step : steps) {
            const int c = walk.Figure();
            const int s = S.shapeOf(at.board[c]);
            for (int o = 0; o < S.orientations[s] && !spent(); ++o) {
                if (o == S.orientOf(at.board[c])) continue;
                std::vector<Visit> tried = visits;
                tried.insert(tried.begin() + static_cast<long>(i), Visit{c, o});
                if (keep(visits, tried, i)) return true;
            }
            if (!walk.Take(planAction(step))) break;
        }
        return false;
    }

    bool move(std::vector<Visit>& visits, std::size_t from, std::size_t to) {
        std::vector<Visit> tried = visits;
        const Visit v = tried[from];
        tried.erase(tried.begin() + static_cast<long>(from));
        tried.insert(tried.begin() + static_cast<long>(to), v);
        return keep(visits, tried, std::min(from, to));
    }

    const Problem& P;
    const Shapes& S;
    std::size_t maxTrials_;
    std::size_t trials_ = 0;
    int best_ = kNoWin;
    std::vector<Before> before_;
    bool fresh_ = false;  // before_ matches the visits in hand
    std::array<int, kCells> queue_{}, dist_{};
    std::array<std::uint32_t, kCells> seen_{};
    std::uint32_t round_ = 0;
};

}  // namespace

Polished polishPlan(const Problem& problem, std::string_view plan, std::size_t maxTrials) {
    Polisher polisher(problem, maxTrials);
    std::vector<Visit> visits = polisher.Visits(plan);
    Polished out;
    // Written out again, the visits win at least as soon as the plan given (each pipe is
    // turned the shorter way round, every walk is a shortest one); a plan that did not
    // win to begin with, or whose visits the rule does not find winning, comes back as it
    // was.
    out.plan = polisher.Polish(visits) ? polisher.Plan(visits) : std::string();
    if (out.plan.empty() || out.plan.size() > plan.size()) out.plan = plan;
    out.trials = polisher.Trials();
    return out;
}

}  // namespace tk::search

// The hint's search: plans toward a few winning layouts and a greedy one, polished, then a bounded search that may prove the best.
#include "puzzle/hint_search.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "puzzle/layouts.h"
#include "puzzle/plan_polish.h"
#include "puzzle/plan_search.h"
#include "puzzle/plan_writer.h"

namespace tk {

namespace {

using namespace search;

// What each part of the search may spend, from the one budget in states. The shares were
// chosen on the shipped levels and full generated fields so that the worst hint stays
// near 30 ms on the machine the benchmark ran on (bench/hint_bench.cpp).
struct Shares {
    std::size_t layouts, towardLayout, proveEarly, greedy, detourLayout, proveLast, polishTrials;
    int detours;
};

Shares sharesOf(std::size_t states) {
    const auto part = [states](std::size_t n) { return std::max<std::size_t>(1, states / n); };
    return {part(12), part(6), part(8), part(4), part(60), part(3), part(10), 4};
}

class HintSearch {
public:
    HintSearch(const Prepared& prepared, const Shares& shares)
        : prepared_(prepared), P(prepared.problem), shares_(shares) {}

    SolveResult Run(std::string_view followed) {
        if (!followed.empty()) offer(std::string(followed));
        if (prepared_.nearest.found) offer(towardLayout(prepared_.nearest.orientation));
        // A short way is often proven at once; nothing more to look for then.
        if (prove(shares_.proveEarly)) return answer();
        offer(greedy());
        leaveOutLongWalks();
        prove(shares_.proveLast);
        return answer();
    }

private:
    // Keeps a plan shorter than the one in hand (the first of equals stays).
    void offer(const std::string& plan) {
        if (!plan.empty() && (best_.empty() || plan.size() < best_.size())) best_ = plan;
    }

    std::string polished(const SearchOutcome& found) const {
        return found.found ? polishPlan(P, found.plan, shares_.polishTrials).plan : std::string();
    }

    // A plan to one winning layout: every pipe's way is known, so the turns owed are
    // exact and the search goes almost straight.
    std::string towardLayout(const Domains& layout) {
        Problem toward = P;
        toward.domains = layout;
        toward.leastTurns = 0;
        SearchLimits limits;
        limits.maxStates = shares_.towardLayout;
        limits.improve = false;
        limits.weightTenths = 20;
        limits.roundEstimate = true;
        limits.usefulTurnsOnly = true;
        return polished(searchPlan(toward, limits));
    }

    // Over every layout the pruning leaves, led by the dry cells as well.
    std::string greedy() {
        SearchLimits limits;
        limits.maxStates = shares_.greedy;
        limits.improve = false;
        limits.beat = static_cast<int>(best_.size());
        limits.weightTenths = 15;
        limits.dryTenths = 5;
        limits.roundEstimate = true;
        limits.usefulTurnsOnly = true;
        return polished(searchPlan(P, limits));
    }

    // A pipe the best plan walks far for may be better left as it is: the nearest layout
    // that keeps it, for the pipes that cost the longest walks.
    void leaveOutLongWalks() {
        std::vector<int> tried;
        for (int round = 0; round < shares_.detours && !best_.empty(); ++round) {
            int keep = -1;
            for (const auto& [steps, cell] : walksFor(best_))
                if (std::find(tried.begin(), tried.end(), cell) == tried.end()) {
                    keep = cell;
                    break;
                }
            if (keep < 0) return;
            tried.push_back(keep);
            Domains domains = P.domains;
            domains[keep] &= static_cast<std::uint8_t>(1u << shapes().orientOf(P.start[keep]));
            if (!domains[keep]) continue;
            const Layout layout = cheapestLayout(P.start, P.source, domains, LayoutCost::QuarterTurns, shares_.detourLayout);
            if (layout.found) offer(towardLayout(layout.orientation));
        }
    }

    // The steps a plan walks to and from the pipes it turns, per pipe, most first (ties in
    // reading order).
    std::vector<std::pair<int, int>> walksFor(const std::string& plan) const {
        std::array<int, kCells> steps{};
        int walked = 0, last = -1;
        PlanWriter walk(P.start, P.source, P.figure);
        for (char a : plan) {
            const Action action = planAction(a);
            if (!walk.Take(action)) break;
            const int at = walk.Figure();
            if (isTurn(action)) {
                if (at != last) {
                    steps[at] += walked;
                    if (last >= 0) steps[last] += walked;
                }
                walked = 0;
                last = at;
            } else {
                ++walked;
            }
        }
        std::vector<std::pair<int, int>> out;
        for (int c = 0; c < kCells; ++c)
            if (steps[c]) out.emplace_back(steps[c], c);
        std::stable_sort(out.begin(), out.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
        return out;
    }

    // Every board whose actions and estimate reach the best plan is dropped; true when
    // the search saw all the rest, which proves the best plan the shortest (or, with none
    // in hand, that there is none).
    bool prove(std::size_t states) {
        SearchLimits limits;
        limits.maxStates = states;
        limits.improve = true;
        limits.beat = static_cast<int>(best_.size());
        const SearchOutcome outcome = searchPlan(P, limits);
        if (outcome.found) offer(outcome.plan);
        proven_ = outcome.complete;
        return proven_;
    }

    SolveResult answer() const {
        SolveResult r;
        if (!best_.empty()) {
            r.status = SolveStatus::Solved;
            r.plan = best_;
            r.shortest = proven_;
        } else if (proven_) {
            r.status = SolveStatus::Unsolvable;
            r.reason = "no sequence of steps and turns wets every cell";
        } else {
            r.reason = "the search ran out of its budget";
        }
        return r;
    }

    const Prepared& prepared_;
    const Problem& P;
    Shares shares_;
    std::string best_;
    bool proven_ = false;
};

}  // namespace

SolveResult searchHint(const LevelFile& asItStands, std::string_view followed, std::size_t maxStates) {
    const Shares shares = sharesOf(maxStates);
    const Prepared prepared = prepareProblem(asItStands, shares.layouts);
    if (!prepared.reason.empty()) {
        SolveResult r;
        r.status = SolveStatus::Unsolvable;
        r.reason = prepared.reason;
        return r;
    }
    // Only a plan that wins from here is worth keeping to.
    if (!followed.empty() && replayPlan(asItStands, followed).wonAt != static_cast<int>(followed.size()) - 1)
        followed = {};
    return HintSearch(prepared, shares).Run(followed);
}

}  // namespace tk

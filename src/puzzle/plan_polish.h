// Shortening a plan that wins: the pipes it visits in another order, fewer visits, other final ways.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "puzzle/plan_search.h"

namespace tk::search {

struct Polished {
    std::string plan;        // wins from the problem's start, never longer than the plan given
    std::size_t trials = 0;  // plans tried
};

// A quick search leaves detours: a pipe turned twice on two visits, a far pipe fetched
// between two near ones, a pipe turned one way where another way also wins. The plan
// is read as visits (walk by a shortest way to a pipe, turn it to some way round) and
// changed one visit at a time, keeping every change that still wins in fewer actions:
// a visit left out, its pipe left another way round, two visits of one pipe made one,
// a visit moved elsewhere in the order. It stops when no such change helps or after
// `maxTrials` plans tried; the same plan and budget always give the same answer.
Polished polishPlan(const Problem& problem, std::string_view plan, std::size_t maxTrials);

}  // namespace tk::search

// Polishing plans and the quick searches the hint uses: shorter plans that still win, and no proof claimed where none was made.
#include <gtest/gtest.h>

#include <string>

#include "puzzle/plan_polish.h"
#include "puzzle/plan_search.h"
#include "puzzle/plan_writer.h"
#include "puzzle/solver.h"
#include "support/trial_level.h"

namespace tk {
namespace {

using namespace search;

LevelFile shipped(const std::string& name) {
    return readLevelFile(std::string(TK_DATA_DIR) + "/levels/" + name + ".kulap").level.value_or(LevelFile{});
}

bool wins(const LevelFile& level, const std::string& plan) {
    const ReplayResult replay = replayPlan(level, plan);
    return replay.legal && !plan.empty() && replay.wonAt == static_cast<int>(plan.size()) - 1;
}

Problem problemOf(const LevelFile& level) {
    const Prepared prepared = prepareProblem(level, 5000);
    EXPECT_EQ(prepared.reason, "");
    return prepared.problem;
}

TEST(PlanPolish, TakesTheDetoursOutOfAPlanThatWins) {
    // The figure walks to the elbow by the long way and turns it three quarters the wrong
    // way round: a shortest walk and one quarter turn the other way do the same.
    const LevelFile bend = trialLevel({"FFFH", "LLLG"}, 0, 0, 0, 0);
    const Problem p = problemOf(bend);
    ASSERT_TRUE(wins(bend, "RRLRR>>>"));
    EXPECT_EQ(polishPlan(p, "RRLRR>>>", 1000).plan, "RRR<");
    // A pipe turned there and back again on the way is left alone.
    ASSERT_TRUE(wins(bend, "R><RR<"));
    EXPECT_EQ(polishPlan(p, "R><RR<", 1000).plan, "RRR<");
}

TEST(PlanPolish, ShortensTheQuickSearchesPlansOfLateLevelsAndNeverLengthens) {
    int shorter = 0;
    for (const char* name : {"20", "27", "29", "30"}) {
        SCOPED_TRACE(name);
        const LevelFile level = shipped(name);
        const Problem p = problemOf(level);
        SolveOptions quick;  // the solver's first plan, which it finds greedily
        quick.maxStates = 50'000;
        quick.improve = false;
        const SolveResult first = solveLevel(level, quick);
        ASSERT_EQ(first.status, SolveStatus::Solved);
        ASSERT_TRUE(wins(level, first.plan));
        const Polished polished = polishPlan(p, first.plan, 20'000);
        EXPECT_TRUE(wins(level, polished.plan)) << polished.plan;
        EXPECT_LE(polished.plan.size(), first.plan.size());
        shorter += polished.plan.size() < first.plan.size();
        EXPECT_LE(polished.trials, 20'000u);
        // The same plan and budget give the same answer; a budget of one trial leaves
        // the plan as it is, written out again.
        EXPECT_EQ(polishPlan(p, first.plan, 20'000).plan, polished.plan);
        const std::string once = polishPlan(p, first.plan, 1).plan;
        EXPECT_TRUE(wins(level, once));
        EXPECT_LE(once.size(), first.plan.size());
    }
    EXPECT_GE(shorter, 3) << "greedy plans keep detours";
}

TEST(PlanPolish, GivesBackAPlanThatDoesNotWinAsItCame) {
    const LevelFile bend = trialLevel({"FFFH", "LLLG"}, 0, 0, 0, 0);
    const Problem p = problemOf(bend);
    for (const std::string plan : {"RR", "RRR>", "", "LLL"})
        EXPECT_EQ(polishPlan(p, plan, 1000).plan, plan) << plan;
}

TEST(PlanWriter, PlaysEveryLetterByTheRuleAndEndsAVisitAtTheTurnThatWins) {
    // A tee that faces away from the water: either quarter turn lets it in.
    const LevelFile tee = trialLevel({"FB"}, 0, 0, 1, 0);
    const Problem p = problemOf(tee);
    PlanWriter writer(p.start, p.source, p.figure);
    EXPECT_FALSE(writer.Take(Action::StepLeft)) << "the tee does not open toward the straight";
    EXPECT_EQ(writer.Plan(), "");
    // Sent to the half turn that gives "D", it ends at "C": the water reaches every cell.
    ASSERT_TRUE(writer.Visit(p.figure, shapes().orientOf('D')));
    EXPECT_EQ(writer.Plan(), ">");
    EXPECT_TRUE(writer.Won());
    EXPECT_EQ(writer.Board()[p.figure], 'C');
    // Now the tee opens toward the straight: the step is allowed, and a step wins nothing.
    EXPECT_TRUE(writer.Take(Action::StepLeft));
    EXPECT_EQ(writer.Plan(), ">L");
    EXPECT_FALSE(writer.Won());
    EXPECT_EQ(writer.WonAt(), 0);
    EXPECT_EQ(writer.Figure(), cellOf(0, 0));
}

TEST(QuickSearch, ClaimsNoProofWhenItLeavesTurnsOutOrGuessesTheWalk) {
    // Two pipes the water can never join: a full search proves that no plan wins; the
    // quick ones run out of boards all the same but must not say so.
    const LevelFile apart = trialLevel({"FLF", "GLG"}, 0, 0, 0, 0);
    Problem p;
    p.start = lettersOf(apart);
    p.source = cellOf(0, 0);
    p.figure = cellOf(0, 0);
    p.free = reachableCells(p.start, p.figure);
    p.domains = startingDomains(p.start, p.free);
    SearchLimits full;
    const SearchOutcome proof = searchPlan(p, full);
    EXPECT_FALSE(proof.found);
    EXPECT_TRUE(proof.complete);
    for (int which = 0; which < 2; ++which) {
        SearchLimits quick;
        quick.usefulTurnsOnly = which == 0;
        quick.roundEstimate = which == 1;
        const SearchOutcome outcome = searchPlan(p, quick);
        EXPECT_FALSE(outcome.found);
        EXPECT_FALSE(outcome.complete) << which;
        EXPECT_EQ(outcome.lowerBound, 0) << which;
    }
    // Where a plan exists they find one that wins.
    const LevelFile bend = trialLevel({"FFFH", "LLLG"}, 0, 0, 0, 0);
    const Problem q = problemOf(bend);
    SearchLimits quick;
    quick.usefulTurnsOnly = true;
    quick.roundEstimate = true;
    quick.improve = false;
    const SearchOutcome found = searchPlan(q, quick);
    ASSERT_TRUE(found.found);
    EXPECT_TRUE(wins(bend, found.plan));
    EXPECT_FALSE(found.complete);
}

}  // namespace
}  // namespace tk

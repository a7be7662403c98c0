// The level generator: a thin network of joined pipes, some pipes turned away, measured and tried again.
#include "puzzle/generator.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "puzzle/naive_player.h"
#include "puzzle/network.h"
#include "puzzle/pacing.h"
#include "puzzle/search_board.h"
#include "puzzle/solver.h"
#include "puzzle/water.h"

namespace tk {

const char* difficultyName(Difficulty d) {
    switch (d) {
        case Difficulty::Easy: return "easy";
        case Difficulty::Medium: return "medium";
        case Difficulty::Hard: return "hard";
        case Difficulty::Expert: return "expert";
        case Difficulty::Any: break;
    }
    return "any";
}

Difficulty difficultyNamed(std::string_view name) {
    for (Difficulty d : {Difficulty::Easy, Difficulty::Medium, Difficulty::Hard, Difficulty::Expert})
        if (name == difficultyName(d)) return d;
    return Difficulty::Any;
}

DifficultyBand bandOf(Difficulty d) {
    DifficultyBand b;
    switch (d) {
        case Difficulty::Easy:
            b = {0, 15, 1, false, 100, 6, 16, 2};
            break;
        case Difficulty::Medium:
            b = {15, 32, 3, false, 100, 14, 30, 5};
            break;
        case Difficulty::Hard:
            b = {32, 55, 3, true, 70, 24, 40, 10};
            break;
        case Difficulty::Expert:
            b = {55, 1e9, 3, true, 70, 36, 56, 15};
            break;
        case Difficulty::Any:
            b = {0, 1e9, 1, false, 100, 20, 20, 6};
            break;
    }
    return b;
}

int suggestedTimeLimit(std::string_view plan, int pipes, bool needsThought, int lowerBound) {
    const double play = planSeconds(plan);
    if (2 * play > 600) return 0;
    const double shortest = lowerBound > 0 ? std::min(play, lowerBound * kActionMs / 1000.0) : play;
    const auto turns = static_cast<double>(
        std::count_if(plan.begin(), plan.end(), [](char a) { return isTurn(planAction(a)); }));
    const auto tens = [](double seconds) { return std::ceil(seconds / 10) * 10; };
    const double raw = tens(30 + 0.5 * pipes + 6 * turns + (needsThought ? 30 : 0));
    const double reading = tens(30 + 0.5 * pipes + 3 * turns);
    const double low = std::max(60.0, 2 * play);
    const double high = std::min(600.0, std::max(low, 20 * shortest));
    return static_cast<int>(std::max(reading, std::ceil(std::clamp(raw, low, std::floor(high)))));
}

namespace {

// Mixes up a solved board so that a player can put it right: the figure starts on a
// pipe, and every pipe turned away still opens toward the neighbour on its way back to
// that start, so the figure can always walk up to it (righting the pipes it passes)
// and turn it back. Pipes are drawn at random from all it can reach, so they lie all
// over the network. Returns the figure's start.
int scrambleFrom(SplitMix64& rng, search::Letters& b, int count) {
    using namespace search;
    const Shapes& S = shapes();
    std::vector<int> pipes;
    for (int c = 0; c < kCells; ++c)
        if (inPlay(c) && S.pipe(b[c])) pipes.push_back(c);
    const int start = pipes[static_cast<std::size_t>(rng.Below(static_cast<int>(pipes.size())))];
    std::array<std::int16_t, kCells> dist;
    std::array<std::uint8_t, kCells> order;
    const int reach = walkFrom(b, start, dist, order);

    // The ways each pipe may be turned: any for the start, else only those that still
    // open back toward the start.
    std::vector<std::pair<int, std::vector<char>>> choices;
    for (int i = 0; i < reach; ++i) {
        const int c = order[static_cast<std::size_t>(i)];
        const int s = S.shapeOf(b[c]);
        int back = -1;
        for (int d = 0; d < 4 && c != start; ++d)
            if (dist[c + kStep[d]] == dist[c] - 1 && S.opensTo(b[c], d) && S.opensTo(b[c + kStep[d]], opposite(d)))
                back = d;
        std::vector<char> ways;
        for (int o = 0; o < S.orientations[s]; ++o) {
            const char l = S.letter[s][o];
            if (l != b[c] && (back < 0 || S.opensTo(l, back))) ways.push_back(l);
        }
        if (!ways.empty()) choices.push_back({c, ways});
    }
    for (int k = 0; k < count && !choices.empty(); ++k) {
        const auto pick = static_cast<std::size_t>(rng.Below(static_cast<int>(choices.size())));
        const auto& [cell, ways] = choices[pick];
        // Mostly the way farthest from right, so that the plan holds turns, not only steps.
        const int s = S.shapeOf(b[cell]), now = S.orientOf(b[cell]);
        std::size_t way = static_cast<std::size_t>(rng.Below(static_cast<int>(ways.size())));
        if (rng.Below(3) != 0)
            for (std::size_t i = 0; i < ways.size(); ++i)
                if (S.turnsBetween(s, now, S.orientOf(ways[i])) > S.turnsBetween(s, now, S.orientOf(ways[way])))
                    way = i;
        b[cell] = ways[way];
        choices.erase(choices.begin() + static_cast<long>(pick));
    }
    return start;
}

// Whether one or two actions win the level.
bool winsWithinTwo(const LevelFile& level) {
    for (char a : std::string("LURD<>"))
        for (char b : std::string("LURD<>")) {
            const std::string plan = {a, b};
            if (replayPlan(level, plan).wonAt >= 0) return true;
        }
    return false;
}

// How far a rating lies outside the band: 0 inside it. The share of walking is left out
// where the plan may not be the shortest yet (a longer plan may walk more).
double missBy(const Rating& r, const DifficultyBand& band, bool walking = true) {
    if (r.status != SolveStatus::Solved) return 1e9;
    double miss = 0;
    if (r.score < band.minScore) miss += band.minScore - r.score;
    if (r.score > band.maxScore) miss += r.score - band.maxScore;
    if (static_cast<int>(r.plan.size()) < band.minActions) miss += 20;
    if (band.naiveLoses && (r.naiveWins || r.explorerWins)) miss += 20;
    if (walking && r.walkPercent > band.maxWalkPercent) miss += r.walkPercent - band.maxWalkPercent;
    return miss;
}

}  // namespace

Generated generateLevel(const GenerateOptions& options) {
    Generated out;
    if (options.pipes < 0 || options.pipes > kCols * kRows) {
        out.error = "the number of pipes must lie between 1 and 77";
        return out;
    }
    if (options.scramble < 0) {
        out.error = "the number of pipes to turn cannot be negative";
        return out;
    }
    const DifficultyBand band = bandOf(options.difficulty);
    const bool banded = options.difficulty != Difficulty::Any;
    const int background = options.background ? options.background
                                               : 1 + static_cast<int>(options.seed % 7);
    RateOptions rate;
    rate.maxStates = options.solverStates;
    const int seeds = std::max(1, options.seeds);
    for (int k = 0; k < seeds; ++k) {
        out.seed = options.seed + static_cast<std::uint64_t>(k);
        SplitMix64 rng(out.seed);
        const int pipes = options.pipes ? options.pipes
                                        : band.minPipes + rng.Below(band.maxPipes - band.minPipes + 1);
        int scramble = options.scramble ? options.scramble : band.scramble;
        for (int attempt = 0; attempt < std::max(1, options.maxTries); ++attempt) {
            ++out.tries;
            const Network net = growNetwork(rng, pipes);
            search::Letters letters;
            letters.fill(kBlankTile);
            for (int y = 0; y < kRows; ++y)
                for (int x = 0; x < kCols; ++x) letters[search::cellOf(x, y)] = net.board(x, y);
            const int start = scrambleFrom(rng, letters, scramble);
            TileGrid board;
            board.Fill(kBlankTile);
            for (int y = 0; y < kRows; ++y)
                for (int x = 0; x < kCols; ++x) board(x, y) = letters[search::cellOf(x, y)];

            LevelFile level;
            level.titleCs = options.titleCs;
            level.titleEn = options.titleEn;
            for (int y = 0; y < kRows; ++y) {
                level.rows[y].clear();
                for (int x = 0; x < kCols; ++x) level.rows[y] += board(x, y);
            }
            level.sourceX = static_cast<std::int16_t>(net.sourceX);
            level.sourceY = static_cast<std::int16_t>(net.sourceY);
            level.playerX = static_cast<std::int16_t>(search::cellX(start));
            level.playerY = static_cast<std::int16_t>(search::cellY(start));
            level.backgroundNumber = static_cast<std::int16_t>(background);
            level.nextLevel = options.next;

            FlowGrid flow;
            flow.Fill(Water::Unset);
            if (spreadWater(board, flow, net.sourceX, net.sourceY) && net.pipes > 1) continue;  // not mixed up

            // The cheap tests first: most tries for the hard bands fail on the naive players.
            if (band.naiveLoses && (playNaively(level).won || playExploring(level).won)) continue;
            if (band.minActions > 2 && winsWithinTwo(level)) continue;
            Rating r = rateLevel(level, rate);
            if (r.status != SolveStatus::Solved) continue;
            // In the band as far as this budget sees: measured again as rate measures it,
            // so that the band holds for rate too.
            if (banded && missBy(r, band, false) == 0) r = rateLevel(level, {options.rateStates});
            if (missBy(r, band) > 0) {
                // Out of the band: turn more pipes when too easy, fewer when too hard,
                // unless the number was given.
                if (!options.scramble) {
                    if (r.score < band.minScore || (band.naiveLoses && (r.naiveWins || r.explorerWins)) ||
                        static_cast<int>(r.plan.size()) < band.minActions)
                        scramble = std::min(scramble + 1, std::max(1, pipes - 1));
                    else if (r.score > band.maxScore)
                        scramble = std::max(1, scramble - 1);
                }
                continue;
            }
            const int time = options.time ? options.time
                                          : suggestedTimeLimit(r.plan, r.pipes, !r.naiveWins, r.lowerBound);
            if (time <= 0) continue;
            level.timeLimit = static_cast<std::int16_t>(time);
            out.ok = true;
            out.level = level;
            out.plan = r.plan;
            out.rating = r;
            for (int y = 0; y < kRows; ++y) {
                out.solution[y].clear();
                for (int x = 0; x < kCols; ++x) out.solution[y] += net.board(x, y);
            }
            return out;
        }
    }
    const std::string seedList = seeds == 1 ? "seed " + std::to_string(options.seed)
                                            : "seeds " + std::to_string(options.seed) + " to " + std::to_string(out.seed);
    out.error = banded ? std::string("no level in the ") + difficultyName(options.difficulty) + " band came of " +
                             std::to_string(out.tries) + " tries with " + seedList + "; try another seed"
                       : "no solvable level came of " + std::to_string(out.tries) + " tries with " + seedList +
                             "; try another seed";
    out.seed = options.seed;
    return out;
}

}  // namespace tk

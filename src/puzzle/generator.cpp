// The level generator: a thin network of joined pipes, some pipes turned away, measured and tried again.
#include "puzzle/generator.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "puzzle/naive_player.h"
#include "puzzle/network.h"
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
            b = {0, 15, 1, false, 6, 16, 2};
            break;
        case Difficulty::Medium:
            b = {15, 32, 3, false, 14, 30, 5};
            break;
        case Difficulty::Hard:
            b = {32, 55, 3, true, 24, 40, 10};
            break;
        case Difficulty::Expert:
            b = {55, 1e9, 3, true, 36, 56, 15};
            break;
        case Difficulty::Any:
            b = {0, 1e9, 1, false, 20, 20, 6};
            break;
    }
    return b;
}

int suggestedTimeLimit(std::string_view plan, int pipes, bool needsThought) {
    const double play = planSeconds(plan);
    if (2 * play > 600) return 0;
    const auto turns = std::count_if(plan.begin(), plan.end(), [](char a) { return isTurn(planAction(a)); });
    const double raw = 30 + 0.5 * pipes + 6.0 * static_cast<double>(turns) + (needsThought ? 30 : 0);
    const double low = std::max(60.0, 2 * play);
    const double high = std::min(600.0, std::max(low, 20 * play));
    const double rounded = std::ceil(raw / 10) * 10;
    return static_cast<int>(std::ceil(std::clamp(rounded, low, std::floor(high))));
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

// How far a rating lies outside the band: 0 inside it.
double missBy(const Rating& r, const DifficultyBand& band) {
    if (r.status != SolveStatus::Solved) return 1e9;
    double miss = 0;
    if (r.score < band.minScore) miss += band.minScore - r.score;
    if (r.score > band.maxScore) miss += r.score - band.maxScore;
    if (static_cast<int>(r.plan.size()) < band.minActions) miss += 20;
    if (band.naiveLoses && r.naiveWins) miss += 20;
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
    SplitMix64 rng(options.seed);
    const int background = options.background ? options.background
                                               : 1 + static_cast<int>(options.seed % 7);
    const int pipes = options.pipes ? options.pipes
                                    : band.minPipes + rng.Below(band.maxPipes - band.minPipes + 1);
    int scramble = options.scramble ? options.scramble : band.scramble;
    RateOptions rate;
    rate.maxStates = options.solverStates;

    double bestMiss = 1e18;
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
        flow.Fill(flowUnset);
        if (spreadWater(board, flow, net.sourceX, net.sourceY) && net.pipes > 1) continue;  // not mixed up

        // The cheap tests first: most tries for the hard bands fail on the naive player.
        if (band.naiveLoses && playNaively(level).won) continue;
        if (band.minActions > 2 && winsWithinTwo(level)) continue;
        const Rating r = rateLevel(level, rate);
        if (r.status != SolveStatus::Solved) continue;
        const double miss = missBy(r, band);
        if (miss < bestMiss) {
            bestMiss = miss;
            const int time = options.time ? options.time : suggestedTimeLimit(r.plan, r.pipes, !r.naiveWins);
            if (time > 0) {
                level.timeLimit = static_cast<std::int16_t>(time);
                out.ok = true;
                out.level = level;
                out.plan = r.plan;
                out.rating = r;
                for (int y = 0; y < kRows; ++y) {
                    out.solution[y].clear();
                    for (int x = 0; x < kCols; ++x) out.solution[y] += net.board(x, y);
                }
                out.inBand = miss == 0;
            }
        }
        if (out.inBand) return out;
        // Out of the band: turn more pipes when too easy, fewer when too hard, unless
        // the number was given.
        if (!options.scramble) {
            if (r.score < band.minScore || (band.naiveLoses && r.naiveWins) ||
                static_cast<int>(r.plan.size()) < band.minActions)
                scramble = std::min(scramble + 1, std::max(1, pipes - 1));
            else if (r.score > band.maxScore)
                scramble = std::max(1, scramble - 1);
        }
    }
    if (!out.ok)
        out.error = "no solvable level came of " + std::to_string(out.tries) + " tries; try another seed";
    return out;
}

}  // namespace tk

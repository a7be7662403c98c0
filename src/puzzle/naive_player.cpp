// The naive player: the pipe within reach whose new direction wets the most, else the one that opens the most.
#include "puzzle/naive_player.h"

#include <set>
#include <string>

#include "puzzle/plan_writer.h"
#include "puzzle/solver.h"

namespace tk {

namespace {

using namespace search;

struct Choice {
    int cell = -1, orientation = 0;
    int gain = 0, cost = 0;  // cost: steps there plus quarter turns
    bool better(int g, int c) const { return cell < 0 || g > gain || (g == gain && c < cost); }
};

// The naive player (exploring false) and the exploring player.
NaivePlay play(const LevelFile& level, int maxActions, bool exploring) {
    NaivePlay out;
    if (!InPlayArea(level.sourceX, level.sourceY) || !InPlayArea(level.playerX, level.playerY))
        return out;
    const Shapes& S = shapes();
    // The writer's field is the truth, moved on by the game's rule; a copy of its padded
    // letters is for looking ahead.
    const int source = cellOf(level.sourceX, level.sourceY);
    PlanWriter writer(lettersOf(level), source, cellOf(level.playerX, level.playerY));
    if (!S.pipe(writer.Board()[writer.Figure()])) return out;

    std::set<std::string> seen;
    std::array<std::int16_t, kCells> dist, reachDist;
    std::array<std::uint8_t, kCells> order, reachOrder;
    WaterMap water;
    while (static_cast<int>(out.plan.size()) < maxActions) {
        Letters b = writer.Board();
        const int at = writer.Figure();
        const std::string position = std::string(b.begin(), b.end()) + (exploring ? '\0' : static_cast<char>(at));
        if (!seen.insert(position).second) return out;  // going round in circles

        const int reach = walkFrom(b, at, dist, order);
        water.Spread(b, source);
        Choice wetter, wider;
        // Reading order, so that ties fall the same way on every machine.
        for (int c = 0; c < kCells; ++c) {
            const int s = S.shapeOf(b[c]);
            if (dist[c] < 0 || s == kCross) continue;
            const char before = b[c];
            const int now = S.orientOf(before);
            for (int o = 0; o < S.orientations[s]; ++o) {
                if (o == now) continue;
                const char after = S.letter[s][o];
                const int cost = dist[c] + S.turnsBetween(s, now, o);
                const int dry = water.DryAfterTurn(b, source, c, after);
                const int wetGain = water.Dry() - dry + (dry == 0 ? kCells : 0);
                b[c] = after;
                const bool again = exploring && seen.count(std::string(b.begin(), b.end()) + '\0');
                const int reachAfter = walkFrom(b, c, reachDist, reachOrder);
                // The naive player counts the cells it could walk to; the exploring one,
                // those it could not walk to before.
                int reachGain = reachAfter - reach;
                if (exploring) {
                    reachGain = 0;
                    for (int k = 0; k < reachAfter; ++k) reachGain += dist[reachOrder[k]] < 0;
                }
                b[c] = before;
                if (again) continue;
                if ((wetGain > 0 || dry == 0) && wetter.better(wetGain, cost)) wetter = {c, o, wetGain, cost};
                if (reachGain > 0 && (!exploring || wetGain >= 0) && wider.better(reachGain, cost))
                    wider = {c, o, reachGain, cost};
            }
        }
        const Choice& pick = wetter.cell >= 0 ? wetter : wider;
        if (pick.cell < 0) return out;  // no pipe within reach helps: stuck
        const bool taken = writer.Visit(pick.cell, pick.orientation);
        out.plan = writer.Plan();
        if (!taken) return out;  // the walk broke the rule: cannot happen
        if (writer.Won()) {      // the game looks after every quarter turn
            out.won = true;
            return out;
        }
    }
    return out;
}

}  // namespace

NaivePlay playNaively(const LevelFile& level, int maxActions) { return play(level, maxActions, false); }

NaivePlay playExploring(const LevelFile& level, int maxActions) { return play(level, maxActions, true); }

}  // namespace tk

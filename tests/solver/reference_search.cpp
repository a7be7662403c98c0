// The reference search (every action from every position, one layer of actions at a time) and playing actions.
#include "reference_search.h"

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "puzzle/action.h"
#include "puzzle/hint.h"

namespace tk::test {

ReferenceAnswer referenceShortest(const LevelFile& level, std::size_t maxStates) {
    auto keyOf = [](const Field& p) {
        std::string k;
        for (int y = 0; y < kRows; ++y)
            for (int x = 0; x < kCols; ++x) k += p.board(x, y);
        return k + char('a' + p.playerX) + char('a' + p.playerY);
    };
    Field start = fieldOf(level);
    letWaterIn(start);

    ReferenceAnswer answer;
    std::set<std::string> seen = {keyOf(start)};
    std::vector<Field> layer = {start};
    for (int depth = 1; !layer.empty(); ++depth) {
        std::vector<Field> next;
        for (const Field& p : layer) {
            for (Action a : {Action::StepLeft, Action::StepUp, Action::StepRight, Action::StepDown, Action::TurnLeft,
                             Action::TurnRight}) {
                Field q = p;
                const Effect effect = applyAction(q, a);
                if (!effect.legal) continue;
                if (effect.won) {
                    answer.decided = true;
                    answer.shortest = depth;
                    return answer;
                }
                if (seen.insert(keyOf(q)).second) next.push_back(q);
                if (seen.size() > maxStates) return answer;
            }
        }
        layer = std::move(next);
    }
    answer.decided = true;
    return answer;
}

int wetCells(const TileGrid& board, const LevelFile& level) {
    Field field{board, {}, level.sourceX, level.sourceY, level.playerX, level.playerY};
    letWaterIn(field);
    int n = 0;
    for (int y = 0; y < kRows; ++y)
        for (int x = 0; x < kCols; ++x) n += field.flow(x, y) == Water::Wet;
    return n;
}

LevelFile afterActions(const LevelFile& level, std::string_view actions) {
    PlanWalk walk(level);
    for (char a : actions) walk.Take(a);
    return levelAsItStands(level, walk.board, walk.x, walk.y);
}

}  // namespace tk::test

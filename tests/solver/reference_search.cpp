// The reference search (every action from every position, one layer of actions at a time) and playing actions.
#include "reference_search.h"

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "puzzle/movement.h"
#include "puzzle/solver.h"
#include "puzzle/water.h"

namespace tk::test {

ReferenceAnswer referenceShortest(const LevelFile& level, std::size_t maxStates) {
    struct Position {
        TileGrid board;
        int x, y;
    };
    auto keyOf = [](const Position& p) {
        std::string k;
        for (int y = 0; y < kRows; ++y)
            for (int x = 0; x < kCols; ++x) k += p.board(x, y);
        return k + char('a' + p.x) + char('a' + p.y);
    };
    Position start;
    FlowGrid flow;
    placeLevel(level, start.board, flow);
    start.x = level.playerX;
    start.y = level.playerY;

    ReferenceAnswer answer;
    std::set<std::string> seen = {keyOf(start)};
    std::vector<Position> layer = {start};
    for (int depth = 1; !layer.empty(); ++depth) {
        std::vector<Position> next;
        for (const Position& p : layer) {
            for (int code : {dirLeft, dirUp, dirRight, dirDown, turnLeft, turnRight}) {
                Position q = p;
                if (code == turnLeft || code == turnRight) {
                    q.board(q.x, q.y) = quarterTurn(q.board(q.x, q.y), code);
                    if (spreadWater(q.board, flow, level.sourceX, level.sourceY)) {
                        answer.decided = true;
                        answer.shortest = depth;
                        return answer;
                    }
                } else if (lzeTam(q.board, q.x, q.y, code)) {
                    q.x += dirDx(code);
                    q.y += dirDy(code);
                } else {
                    continue;
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
    FlowGrid flow;
    flow.Fill(flowUnset);
    spreadWater(board, flow, level.sourceX, level.sourceY);
    int n = 0;
    for (int y = 0; y < kRows; ++y)
        for (int x = 0; x < kCols; ++x) n += flow(x, y) == flowWet;
    return n;
}

LevelFile afterActions(const LevelFile& level, std::string_view actions) {
    LevelFile after = level;
    for (char a : actions) {
        const int code = planActionCode(a);
        std::string& row = after.rows[after.playerY];
        if (code == turnLeft || code == turnRight) {
            row[after.playerX] = quarterTurn(row[after.playerX], code);
        } else {
            after.playerX = static_cast<std::int16_t>(after.playerX + dirDx(code));
            after.playerY = static_cast<std::int16_t>(after.playerY + dirDy(code));
        }
    }
    return after;
}

}  // namespace tk::test

// Steps and quarter turns applied to the level as it stands.
#include "puzzle/action.h"

#include "puzzle/movement.h"
#include "puzzle/water.h"

namespace tk {

namespace {

// Spreads the water over `board` into the field's flow, noting each cell that changed.
bool spreadInto(Field& field, const TileGrid& board, std::vector<Cell>& changed) {
    return spreadWater(board, field.flow, field.sourceX, field.sourceY,
                       [&changed](int x, int y) { changed.push_back({x, y}); });
}

}  // namespace

Field fieldOf(const LevelFile& level) {
    Field field;
    placeLevel(level, field.board, field.flow);
    field.sourceX = level.sourceX;
    field.sourceY = level.sourceY;
    field.playerX = level.playerX;
    field.playerY = level.playerY;
    return field;
}

Effect applyAction(Field& field, Action action, WaterAfterTurn water) {
    Effect effect;
    const int x = field.playerX, y = field.playerY;
    if (!InPlayArea(x, y)) return effect;
    if (isStep(action)) {
        const Direction d = stepDirection(action);
        if (!canStep(field.board, x, y, d)) return effect;
        field.playerX = static_cast<std::int16_t>(x + dirDx(d));
        field.playerY = static_cast<std::int16_t>(y + dirDy(d));
        effect.legal = true;
        return effect;
    }
    if (!isTurn(action)) return effect;
    effect.legal = true;
    const char before = field.board(x, y);
    if (isPipe(before)) {
        // While it turns the cell carries no pipe, so the water behind it drains at once.
        TileGrid lifted = field.board;
        lifted(x, y) = kBlankTile;
        spreadInto(field, lifted, effect.changed);
        field.board(x, y) = quarterTurn(before, action == Action::TurnRight);
    }
    if (water == WaterAfterTurn::Back) effect.won = spreadInto(field, field.board, effect.changed);
    return effect;
}

Effect letWaterIn(Field& field) {
    Effect effect;
    effect.legal = true;
    effect.won = spreadInto(field, field.board, effect.changed);
    return effect;
}

}  // namespace tk

// Writing and reading plans on a field: every letter applied by the action rule, the padded board kept beside it.
#include "puzzle/plan_writer.h"

#include <algorithm>

#include "puzzle/solver.h"

namespace tk::search {

Field fieldOfLetters(const Letters& b, int source, int figure) {
    Field field;
    resetGrids(field.board, field.flow);
    for (int y = -1; y <= kRows; ++y)
        for (int x = -1; x <= kCols; ++x) field.board(x, y) = b[cellOf(x, y)];
    field.sourceX = static_cast<std::int16_t>(cellX(source));
    field.sourceY = static_cast<std::int16_t>(cellY(source));
    field.playerX = static_cast<std::int16_t>(cellX(figure));
    field.playerY = static_cast<std::int16_t>(cellY(figure));
    return field;
}

PlanWriter::PlanWriter(const Letters& start, int source, int figure)
    : field_(fieldOfLetters(start, source, figure)), board_(start) {
    letWaterIn(field_);
}

bool PlanWriter::Take(Action action) {
    const int at = Figure();
    const Effect effect = applyAction(field_, action);
    if (!effect.legal) return false;
    plan_ += planLetter(action);
    board_[at] = field_.board(cellX(at), cellY(at));
    won_ = effect.won;
    if (won_ && wonAt_ < 0) wonAt_ = static_cast<int>(plan_.size()) - 1;
    return true;
}

bool PlanWriter::WalkTo(int cell) {
    std::string steps;
    appendWalk(board_, Figure(), cell, steps);
    for (char step : steps)
        if (!Take(planAction(step))) return false;
    return Figure() == cell;
}

bool PlanWriter::Visit(int cell, int orientation) {
    const Shapes& S = shapes();
    if (!WalkTo(cell) || !S.pipe(board_[cell])) return false;
    const int s = S.shapeOf(board_[cell]), n = S.orientations[s];
    const int ahead = ((orientation - S.orientOf(board_[cell])) % n + n) % n;
    const Action turn = ahead <= n - ahead ? Action::TurnRight : Action::TurnLeft;
    for (int q = std::min(ahead, n - ahead); q > 0 && !won_; --q)
        if (!Take(turn)) return false;
    return true;
}

}  // namespace tk::search

// Plans written out and read back action by action on a field, so that the game's action rule decides every move.
#pragma once

#include <string>

#include "puzzle/action.h"
#include "puzzle/search_board.h"

namespace tk::search {

// The field of a padded board, with the source and the figure on those cells; no water
// has come in yet.
Field fieldOfLetters(const Letters& b, int source, int figure);

// The solver's parts keep their own compact boards while they search; whatever turns a
// search's answer into plan letters, or reads a plan back, goes through applyAction here
// instead, with the water let in after every quarter turn, so the rule alone says what
// each letter does and when the board is won.
class PlanWriter {
public:
    // From `start` with the water let in.
    PlanWriter(const Letters& start, int source, int figure);

    // Applies one action and, when the rule allows it, writes its letter.
    bool Take(Action action);
    // The steps of a shortest walk to `cell`; false when the rule refuses one (or the
    // figure cannot get there).
    bool WalkTo(int cell);
    // Walks to `cell` and turns its pipe the shorter way round (a half turn clockwise) to
    // `orientation`, stopping at the turn that wins.
    bool Visit(int cell, int orientation);

    const std::string& Plan() const { return plan_; }
    // The last action taken won the board (only a quarter turn can).
    bool Won() const { return won_; }
    // Where the first win came, -1 before any.
    int WonAt() const { return wonAt_; }
    // The tiles as they stand, on the padded board, and the figure's cell.
    const Letters& Board() const { return board_; }
    int Figure() const { return cellOf(field_.playerX, field_.playerY); }

private:
    Field field_;
    Letters board_;
    std::string plan_;
    bool won_ = false;
    int wonAt_ = -1;
};

}  // namespace tk::search

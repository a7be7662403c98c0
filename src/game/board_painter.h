// Painting the board from the level as it stands: whole cells, the figure, its animations.
#pragma once

#include "game/picture_slots.h"
#include "game/play_state.h"
#include "platform/platform.h"

namespace tk {

class BoardPainter {
public:
    BoardPainter(BoardSurface& surface, PictureSlots& pictures, const PlayState& state)
        : surface_(surface), pictures_(pictures), s_(state) {}

    // Paints a cell of the play area completely from its current state (cells outside
    // it are not on the picture): its piece of the background, the underlay, the pipe.
    void Cell(int x, int y);
    // The cell with its pipe lifted, as while it turns: no pipe, and no water but the
    // source's.
    void BareCell(int x, int y);
    // The upright figure on its cell.
    void Figure();
    // The figure `offset` pixels on its way from cell (fromX, fromY) toward `way`.
    void WalkingFigure(int fromX, int fromY, Direction way, int offset);
    // One frame of a quarter turn on the figure's cell, its pipe lifted: the pipe
    // `pipeSlot` turned by `degrees`, the figure `figureSlot` lagging behind at two
    // thirds of that.
    void TurningFrame(int pipeSlot, int figureSlot, float degrees);
    // The hint's picture for a step: an arrow from the figure's middle to the middle of
    // the neighbour; for a quarter turn: a turning arrow round the figure's cell. The
    // figure stands on top.
    void HintArrow(Action action);
    // Every cell as its piece of the background alone: no pipe, no water, no figure.
    void Backdrop();
    // An outcome picture over the whole board.
    void Cover(int slot);
    // Reads a picture now, so that painting it later does not wait for it.
    void Ready(int slot) { pictures_.Slot(slot); }

private:
    void Paint(int x, int y, bool withPipe);

    BoardSurface& surface_;
    PictureSlots& pictures_;
    const PlayState& s_;
};

}  // namespace tk

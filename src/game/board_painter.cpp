// The layers of a cell, and the figure walking and turning.
#include "game/board_painter.h"

namespace tk {

void BoardPainter::Cell(int x, int y) { Paint(x, y, true); }

void BoardPainter::BareCell(int x, int y) { Paint(x, y, false); }

void BoardPainter::Paint(int x, int y, bool withPipe) {
    if (!InPlayArea(x, y)) return;
    BoardSurface::Layers layers;
    // Each cell shows its own piece of one background picture, so any cell can be
    // repainted alone and still line up with its neighbours. The background is opaque
    // and wipes out the figure and the corners of turned pictures.
    if (s_.backgroundNumber >= 1 && s_.backgroundNumber <= 7)
        layers.background = pictures_.Slot(kBackgroundBase + s_.backgroundNumber);

    const char letter = withPipe ? s_.board(x, y) : kBlankTile;
    if (letter == kFloorTile) {
        layers.underlay = pictures_.Slot(kSlotFloor);
    } else {
        // A blank cell has no pipe to carry water, so it always looks dry, and so does a
        // cell that has not been evaluated yet.
        const int base = (letter != kBlankTile && s_.flow(x, y) == Water::Wet) ? kWetBase : kDryBase;
        const bool isSource = x == s_.sourceX && y == s_.sourceY;
        layers.underlay = pictures_.Slot(isSource ? kSlotSource : base + 11);
        // Only "A".."K" have pipe pictures: a blank cell shows its underlay alone.
        if (isPipe(letter)) layers.piece = pictures_.Slot(base + tileIndex(letter));
    }
    surface_.DrawCell(x, y, layers);
}

void BoardPainter::Figure() {
    surface_.DrawSprite(pictures_.Slot(kSlotPlayer), static_cast<float>(kCellPx * s_.playerX),
                        static_cast<float>(kCellPx * s_.playerY));
}

void BoardPainter::WalkingFigure(int fromX, int fromY, Direction way, int offset) {
    surface_.DrawSprite(pictures_.Slot(kSlotPlayer), static_cast<float>(kCellPx * fromX + offset * dirDx(way)),
                        static_cast<float>(kCellPx * fromY + offset * dirDy(way)));
}

void BoardPainter::TurningFrame(int pipeSlot, int figureSlot, float degrees) {
    BareCell(s_.playerX, s_.playerY);
    surface_.DrawTurned(pipeSlot >= 0 ? pictures_.Slot(pipeSlot) : 0, s_.playerX, s_.playerY, degrees);
    // The figure lags behind the pipe.
    surface_.DrawTurned(pictures_.Slot(figureSlot), s_.playerX, s_.playerY, degrees / 3 * 2);
}

void BoardPainter::HintArrow(Action action) {
    const float left = static_cast<float>(kCellPx * s_.playerX), top = static_cast<float>(kCellPx * s_.playerY);
    if (isStep(action)) {
        // Half a cell toward the neighbour: the arrow spans the two cells' middles.
        const Direction way = stepDirection(action);
        const float half = kCellPx / 2.0f;
        surface_.DrawSprite(pictures_.Slot(kSlotHintStep + side(way)), left + half * static_cast<float>(dirDx(way)),
                            top + half * static_cast<float>(dirDy(way)));
    } else {
        surface_.DrawSprite(pictures_.Slot(action == Action::TurnLeft ? kSlotHintTurnLeft : kSlotHintTurnRight), left,
                            top);
    }
    Figure();
}

void BoardPainter::Backdrop() {
    BoardSurface::Layers layers;
    if (s_.backgroundNumber >= 1 && s_.backgroundNumber <= 7)
        layers.background = pictures_.Slot(kBackgroundBase + s_.backgroundNumber);
    for (int x = 0; x < kCols; ++x)
        for (int y = 0; y < kRows; ++y) surface_.DrawCell(x, y, layers);
}

void BoardPainter::Cover(int slot) { surface_.DrawCover(pictures_.Slot(slot)); }

}  // namespace tk

// Painting cells and the figure into the board picture's persistent image.
#include "app/frm_main.h"

namespace tk {

namespace {
constexpr float kCell = static_cast<float>(kCellPx);

PictureHandle slotOrNone(const std::array<PictureHandle, kImageSlots>& images, int slot) {
    return slot >= 0 && slot < kImageSlots ? images[static_cast<std::size_t>(slot)] : 0;
}
}  // namespace

void frmMain::VykresliPole(int x, int y) {
    // The border ring lies outside the picture; there is nothing to show there.
    if (gfx == nullptr || unloaded || !InPlayArea(x, y)) return;
    const float left = kCell * static_cast<float>(x), top = kCell * static_cast<float>(y);

    // Each cell shows its own piece of one background picture, so any cell can be
    // repainted alone and still line up with its neighbours. The background is
    // opaque and wipes out the figure and the corners of turned pictures.
    if (backgroundNumber >= 1 && backgroundNumber <= 7) {
        gfx->DrawImageRectRect(slotOrNone(images, backgroundBase + backgroundNumber), left, top,
                               kCell, kCell, left, top, kCell, kCell);
    }

    const char letter = board(x, y);
    if (letter == kFloorTile) {
        gfx->DrawImageRect(slotOrNone(images, slotFloor), left, top, kCell, kCell);
        return;
    }

    // A blank cell has no pipe to carry water, so it always looks dry, and so does
    // a cell that has not been evaluated yet.
    const int base = (letter != kBlankTile && flow(x, y) == flowWet) ? wetBase : dryBase;
    const bool isSource = x == sourceX && y == sourceY;
    gfx->DrawImageRect(slotOrNone(images, isSource ? slotSource : base + 11), left, top, kCell,
                       kCell);
    // Only "A".."K" have pipe pictures: a blank cell shows its underlay alone.
    if (isPipe(letter)) {
        gfx->DrawImageRect(slotOrNone(images, base + tileIndex(letter)), left, top, kCell, kCell);
    }
}

void frmMain::VykresliHrace() {
    if (gfx == nullptr || unloaded) return;
    gfx->DrawImageRect(slotOrNone(images, slotPlayer), kCell * playerX, kCell * playerY, kCell,
                       kCell);
}

}  // namespace tk

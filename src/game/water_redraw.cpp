// The water evaluation of the board on screen: repaints what changed, detects the win.
#include "app/frm_main.h"
#include "puzzle/water.h"

namespace tk {

void frmMain::Vyhodnot() {
    const bool solved =
        spreadWater(board, flow, sourceX, sourceY, [this](int x, int y) { VykresliPole(x, y); });
    // Only ever raised here; the game loop decides what a solved board means.
    if (solved) screenMode = modeWon;
    // Repainted cells may have covered the figure.
    VykresliHrace();
}

}  // namespace tk

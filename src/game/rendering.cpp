// Painting cells and the figure into the board picture.
#include "app/frm_main.h"

namespace tk {

void frmMain::VykresliPole(int x, int y) { (void)x; (void)y; }

void frmMain::VykresliHrace() {}

}  // namespace tk

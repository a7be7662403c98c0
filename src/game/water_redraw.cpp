// The water evaluation of the board on screen: redraws what changed, detects the win.
#include "app/frm_main.h"

namespace tk {

void frmMain::Vyhodnot() {}

}  // namespace tk

// The main menu's play sequence: level after level until the end or a quit.
#include "app/frm_main.h"

namespace tk {

void frmMain::playSequence() {}

}  // namespace tk

// The help screen.
#include "app/frm_main.h"

namespace tk {

void frmMain::openHelp() {}

void frmMain::closeHelp() {}

}  // namespace tk

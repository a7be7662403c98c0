// The congratulations after the last level.
#include "app/frm_main.h"

namespace tk {

void frmMain::showFinalScreen() {}

}  // namespace tk

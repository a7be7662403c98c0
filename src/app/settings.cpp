// The settings file: full screen, music and the starting level.
#include "app/frm_main.h"

namespace tk {

void frmMain::readSettings() {}

void frmMain::ulozNastaveni() {}

}  // namespace tk

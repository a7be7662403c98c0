// The options screen and the level chooser.
#include "app/frm_main.h"

namespace tk {

void frmMain::openOptions() {}

void frmMain::optionsAction() {}

void frmMain::finishLevelEntry() {}

}  // namespace tk

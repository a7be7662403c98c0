// Start-up (FormLoad) and shutdown (Form_Unload).
#include "app/frm_main.h"

namespace tk {

void frmMain::FormLoad() {}

void frmMain::Form_Unload(int& Cancel) { (void)Cancel; unloaded = true; }

}  // namespace tk

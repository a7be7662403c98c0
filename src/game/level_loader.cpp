// Loading a level for play (NactiHru).
#include "app/frm_main.h"

namespace tk {

void frmMain::NactiHru(const std::string& jmeno) { (void)jmeno; }

}  // namespace tk

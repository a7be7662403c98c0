// The countdown clock.
#include "app/frm_main.h"

namespace tk {

void frmMain::Timer1_Timer() {}

std::string frmMain::clockText(int seconds) { (void)seconds; return "00:00"; }

}  // namespace tk

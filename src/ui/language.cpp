// Czech and English: the language switch and the menu captions.
#include "app/frm_main.h"

namespace tk {

void frmMain::switchLng() {}

void frmMain::stvorMenu() {}

}  // namespace tk

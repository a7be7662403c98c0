// Sound effects.
#include "app/frm_main.h"

namespace tk {

void frmMain::makeSound(const std::string& w) { (void)w; }

}  // namespace tk

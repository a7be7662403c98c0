// The drawing surface and the numbered picture slots.
#include "app/frm_main.h"

namespace tk {

void frmMain::createSurface() {}

void frmMain::loadImages() {}

void frmMain::releaseImages() {}

}  // namespace tk

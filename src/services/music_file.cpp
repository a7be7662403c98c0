// Where the music lies.
#include "app/frm_main.h"

namespace tk {

std::string frmMain::musicPath() const { return programFolder + "/music/Lumfex - Little bit of happiness.mp3"; }

}  // namespace tk

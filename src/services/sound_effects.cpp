// Sound effects: short WAV files from the sound folder, one at a time.
#include "app/frm_main.h"

namespace tk {

void frmMain::makeSound(const std::string& w) {
    // The platform's player cuts off the effect still sounding and stays silent for a
    // missing file, so nothing is checked here.
    plat.PlaySound(programFolder + "/sound/" + w + ".wav");
}

}  // namespace tk

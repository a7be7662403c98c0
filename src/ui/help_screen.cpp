// The help screen: the page that switchLng loaded, shown over the menu.
#include "app/frm_main.h"

namespace tk {

void frmMain::openHelp() {
    // The same rectangle as the board, so it covers the menu lines and the cursor.
    wbHelp.Left = 15;
    wbHelp.Top = 15;
    wbHelp.Width = 770;
    wbHelp.Height = 490;
    wbHelp.Visible = true;
    screenMode = modeHelp;
}

void frmMain::closeHelp() {
    // Out of the window as well as hidden; the menu beneath is as it was left.
    wbHelp.Top = 1000;
    wbHelp.Visible = false;
    screenMode = modeMainMenu;
}

}  // namespace tk

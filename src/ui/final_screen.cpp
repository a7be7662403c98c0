// The congratulations after the last level.
#include "app/frm_main.h"
#include "ui/texts.h"

namespace tk {

void frmMain::showFinalScreen() {
    // Over the winning picture the game left on the board, in the title labels.
    for (Label& l : Label5) {
        l.Caption = texts::finalMessage(isCzech);
        l.Visible = true;
    }
    plat.Repaint();
    plat.PresentGame();
    plat.Sleep(5000);  // blocks on purpose: keys pressed meanwhile land on the menu
    picGame.Visible = false;
    Label4.Visible = false;
    screenMode = modeMainMenu;
}

}  // namespace tk

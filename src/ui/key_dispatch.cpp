// The key-down dispatcher and the menu list shared by the main menu and the options.
#include "app/frm_main.h"
#include "ui/menu_look.h"

namespace tk {

namespace {
bool isAcceptKey(int key) { return key == vk::Return || key == vk::Space; }
}  // namespace

void frmMain::Form_KeyDown(std::int16_t& KeyCode, std::int16_t& Shift) {
    // Work on copies: the handler never changes the key it was given.
    const int key = KeyCode;
    const int shift = Shift;
    const bool accept = isAcceptKey(key);

    // The window is about to go: a key still queued behind "Quit" or a close must not
    // start anything new.
    if (closeRequested) return;

    // During a level (modes 0..3) keys re-enter here from the game loop's event pump
    // and must neither act nor sound.
    if (accept && screenMode > modeQuitLevel) makeSound("menu");

    switch (screenMode) {
    case modeMainMenu:
        menuListStep(key, shift, 4, menulook::kMainMenuCursorOffset);
        if (!accept) break;
        switch (menuCursor) {
        case 0: playSequence(); break;
        case 1: openOptions(); break;
        case 2: openHelp(); break;
        case 3: switchLng(); break;
        case 4: closeRequested = true; break;  // Main unloads the window once nothing runs
        default: break;
        }
        break;
    case modeHelp:
        if (key == vk::Escape) closeHelp();
        break;
    case modeOptions:
        menuListStep(key, shift, 3, menulook::kOptionsCursorOffset);
        if (accept) optionsAction();
        break;
    case modeLevelEntry:
        if (accept) finishLevelEntry();
        break;
    default:
        break;
    }
}

// The mouse plays no part in the game.
void frmMain::Form_MouseDown(int Button, int Shift, float X, float Y) {
    (void)Shift;
    Form_MouseMove(Button, 1, X, Y);
}

void frmMain::Form_MouseMove(int, int, float, float) {}

// The platform may call this anywhere, also inside loops that dispatch nothing; the
// running sequence notices it and Main unloads the window once it has ended.
void frmMain::Form_CloseRequest() { closeRequested = true; }

void frmMain::menuListStep(int key, int shift, int lastIndex, int cursorOffset) {
    for (Label& line : Label6) line.ForeColor = menulook::kNormal;

    // Kept: the step sounds even when the clamp below undoes it. Programmatic repaints
    // pass a modifier so that they stay silent.
    if (key == vk::Up) {
        --menuCursor;
        if (shift == 0) makeSound("menumove");
    } else if (key == vk::Down) {
        ++menuCursor;
        if (shift == 0) makeSound("menumove");
    }
    if (menuCursor < 0) menuCursor = 0;
    if (menuCursor > lastIndex) menuCursor = static_cast<std::int16_t>(lastIndex);

    Label6[menuCursor].ForeColor = menulook::kHighlight;
    Image1.Top = Label6[menuCursor].Top + cursorOffset;
}

}  // namespace tk

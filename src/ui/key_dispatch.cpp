// The key-down dispatcher and the menu list shared by the main menu and the options.
#include "app/frm_main.h"

namespace tk {

void frmMain::Form_KeyDown(std::int16_t& KeyCode, std::int16_t& Shift) { (void)KeyCode; (void)Shift; }

void frmMain::Form_MouseDown(int Button, int Shift, float X, float Y) { (void)Shift; Form_MouseMove(Button, 1, X, Y); }

void frmMain::Form_MouseMove(int, int, float, float) {}

void frmMain::Form_CloseRequest() { closeRequested = true; }

void frmMain::menuListStep(int key, int shift, int lastIndex, int cursorOffset) { (void)key; (void)shift; (void)lastIndex; (void)cursorOffset; }

}  // namespace tk

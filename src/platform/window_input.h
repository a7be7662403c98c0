// What the window's own elements do with keys and text once the game has seen them:
// the text box edits, the help view scrolls. Plain code, the same on every platform.
#pragma once

#include <string>

#include "platform/controls.h"
#include "platform/input.h"

namespace tk {

// Caret keys and deletion; true when the key was one of them.
bool TextBoxKey(TextBox& box, int vkCode);
// Inserts typed text at the caret. Spaces and control characters are never typed:
// Space accepts the entry.
void TextBoxType(TextBox& box, const std::string& utf8);
// Up/Down by 40 px, Page Up/Down by a page, clamped to the page; true when the key
// was a scrolling key.
bool HelpScrollKey(BrowserView& view, int vkCode, int contentHeight);

// After the game's key-down handler: a key goes on to the shown text box, or else to
// the shown help view (whose page is `helpHeight` pixels tall); text goes to the box.
void WindowTakesInput(Controls& controls, const InputEvent& event, int helpHeight);

}  // namespace tk

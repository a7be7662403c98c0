// What the level box and the help view do with keys and text once the game has seen them:
// the box edits, the help page scrolls. Plain code, the same on every platform.
#pragma once

#include <cstddef>
#include <string>

#include "platform/input.h"
#include "platform/window_view.h"

namespace tk {

// Caret keys and deletion; true when the key was one of them.
bool LevelBoxKey(LevelBoxView& box, Key key);
// Inserts typed text at the caret, whole characters only, while the text stays within
// `maxBytes`. Spaces and control characters are never typed: Space accepts the entry.
void LevelBoxType(LevelBoxView& box, const std::string& utf8, std::size_t maxBytes);
// Up/Down by 40 px, Page Up/Down by a page, clamped to the page; true when the key
// was a scrolling key.
bool HelpScrollKey(HelpView& view, Key key, int contentHeight);

// After the game's key-down handler: a key goes on to the shown level box, or else to
// the shown help view (whose page is `helpHeight` pixels tall); text goes to the box, up
// to the longest level name.
void WindowTakesInput(WindowView& view, const InputEvent& event, int helpHeight);

}  // namespace tk

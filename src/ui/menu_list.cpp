// The highlight's step, its clamp at both ends and the cursor picture beside it.
#include "ui/menu_list.h"

#include "platform/keys.h"
#include "ui/menu_look.h"

namespace tk {

void MenuList::Step(int key, int shift, int lastIndex, int cursorOffset) {
    for (Label& line : ctl_.menuLines) line.ForeColor = menulook::kNormal;

    // Kept: the step sounds even when the clamp below undoes it. Repaints the program
    // makes itself pass a modifier so that they stay silent.
    if (key == vk::Up) {
        --menuCursor_;
        if (shift == 0) sounds_.Play("menumove");
    } else if (key == vk::Down) {
        ++menuCursor_;
        if (shift == 0) sounds_.Play("menumove");
    }
    if (menuCursor_ < 0) menuCursor_ = 0;
    if (menuCursor_ > lastIndex) menuCursor_ = static_cast<std::int16_t>(lastIndex);

    ctl_.menuLines[menuCursor_].ForeColor = menulook::kHighlight;
    ctl_.cursor.Top = ctl_.menuLines[menuCursor_].Top + cursorOffset;
}

}  // namespace tk

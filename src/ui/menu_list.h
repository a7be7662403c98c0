// The five-line list that the main menu and the options screen share, with its highlight.
#pragma once

#include <cstdint>

#include "platform/controls.h"
#include "services/sound_effects.h"

namespace tk {

class MenuList {
public:
    MenuList(Controls& controls, SoundEffects& sounds) : ctl_(controls), sounds_(sounds) {}

    // One key on a list screen: Up and Down move the highlight (with "menumove" when no
    // modifier is held), which stops at both ends; every key repaints the highlight and
    // puts the cursor picture beside it, `cursorOffset` pixels from the line's top.
    void Step(int key, int shift, int lastIndex, int cursorOffset);
    std::int16_t cursor() const { return menuCursor_; }

private:
    Controls& ctl_;
    SoundEffects& sounds_;
    std::int16_t menuCursor_ = 0;
};

}  // namespace tk

// The five-line list that the main menu and the options screen share, with its highlight.
#pragma once

#include <cstdint>

#include "platform/keys.h"
#include "platform/window_view.h"
#include "services/sound_effects.h"

namespace tk {

class MenuList {
public:
    MenuList(MenuView& view, SoundEffects& sounds) : view_(view), sounds_(sounds) {}

    // One key on a list screen: Up and Down move the highlight (with "menumove" when no
    // modifier is held), which stops at both ends.
    void Step(Key key, int modifiers, int lastIndex);
    // Moves the highlight to a line of another column (Left and Right), or keeps it where a
    // column has nowhere to go, with "menumove" when no modifier is held.
    void Move(int index, int modifiers);
    // Puts the highlight on a line without a sound: where a screen opens.
    void Highlight(int index);
    std::int16_t cursor() const { return menuCursor_; }

private:
    MenuView& view_;
    SoundEffects& sounds_;
    std::int16_t menuCursor_ = 0;
};

}  // namespace tk

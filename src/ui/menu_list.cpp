// The highlight's step and its clamp at both ends.
#include "ui/menu_list.h"

namespace tk {

void MenuList::Step(Key key, int modifiers, int lastIndex) {
    // Kept: the step sounds even when the clamp below undoes it.
    int cursor = menuCursor_;
    if (key == Key::Up) {
        --cursor;
        if (modifiers == 0) sounds_.Play("menumove");
    } else if (key == Key::Down) {
        ++cursor;
        if (modifiers == 0) sounds_.Play("menumove");
    }
    if (cursor < 0) cursor = 0;
    if (cursor > lastIndex) cursor = lastIndex;
    Highlight(cursor);
}

void MenuList::Move(int index, int modifiers) {
    if (modifiers == 0) sounds_.Play("menumove");
    Highlight(index);
}

void MenuList::Highlight(int index) {
    menuCursor_ = static_cast<std::int16_t>(index);
    view_.highlight = index;
}

}  // namespace tk

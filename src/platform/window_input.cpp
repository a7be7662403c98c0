// Text box editing and help scrolling, shared by the SDL window and the headless twin.
#include "platform/window_input.h"

#include <algorithm>

#include "puzzle/utf8.h"

namespace tk {

bool TextBoxKey(TextBox& box, int vkCode) {
    const int len = utf8Length(box.Text);
    box.SelStart = std::clamp(box.SelStart, 0, len);
    auto eraseAt = [&](int index) {
        const std::size_t from = utf8Offset(box.Text, index);
        box.Text.erase(from, utf8Offset(box.Text, index + 1) - from);
    };
    switch (vkCode) {
        case vk::Left: box.SelStart = std::max(0, box.SelStart - 1); return true;
        case vk::Right: box.SelStart = std::min(len, box.SelStart + 1); return true;
        case vk::Home: box.SelStart = 0; return true;
        case vk::End: box.SelStart = len; return true;
        case vk::Back:
            if (box.SelStart > 0) eraseAt(--box.SelStart);
            return true;
        case vk::Delete:
            if (box.SelStart < len) eraseAt(box.SelStart);
            return true;
        default: return false;
    }
}

void TextBoxType(TextBox& box, const std::string& utf8) {
    std::string clean;
    int added = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t c = 0;
        const std::size_t length = decodeUtf8(utf8, i, c);
        // A stray or cut-off sequence is not a character, and neither is a control
        // character. Kept: a space is never typed either, since Space accepts the entry.
        if (length > 0 && c > 0x20 && c != 0x7F) {
            // Only whole characters, and only as many as the box takes.
            if (box.MaxBytes && box.Text.size() + clean.size() + length > box.MaxBytes) break;
            clean.append(utf8, i, length);
            ++added;
        }
        i += std::max<std::size_t>(length, 1);
    }
    if (clean.empty()) return;
    box.SelStart = std::clamp(box.SelStart, 0, utf8Length(box.Text));
    box.Text.insert(utf8Offset(box.Text, box.SelStart), clean);
    box.SelStart += added;
}

bool HelpScrollKey(BrowserView& view, int vkCode, int contentHeight) {
    int delta = 0;
    switch (vkCode) {
        case vk::Up: delta = -40; break;
        case vk::Down: delta = 40; break;
        case vk::Prior: delta = -view.Height; break;
        case vk::Next: delta = view.Height; break;
        default: return false;
    }
    const int maxScroll = std::max(0, contentHeight - view.Height);
    view.ScrollY = std::clamp(view.ScrollY + delta, 0, maxScroll);
    return true;
}

void WindowTakesInput(Controls& controls, const InputEvent& event, int helpHeight) {
    if (event.kind == InputEvent::Kind::Text) {
        if (controls.levelBox.Visible) TextBoxType(controls.levelBox, event.text);
        return;
    }
    if (controls.levelBox.Visible) {
        TextBoxKey(controls.levelBox, event.vk);
    } else if (controls.help.Visible) {
        HelpScrollKey(controls.help, event.vk, helpHeight);
    }
}

}  // namespace tk

// Level box editing and help scrolling, shared by the SDL window and the headless twin.
#include "platform/window_input.h"

#include <algorithm>

#include "platform/window_look.h"
#include "puzzle/level_file.h"
#include "puzzle/utf8.h"

namespace tk {

bool LevelBoxKey(LevelBoxView& box, Key key) {
    const int len = utf8Length(box.text);
    box.caret = std::clamp(box.caret, 0, len);
    auto eraseAt = [&](int index) {
        const std::size_t from = utf8Offset(box.text, index);
        box.text.erase(from, utf8Offset(box.text, index + 1) - from);
    };
    switch (key) {
        case Key::Left: box.caret = std::max(0, box.caret - 1); return true;
        case Key::Right: box.caret = std::min(len, box.caret + 1); return true;
        case Key::Home: box.caret = 0; return true;
        case Key::End: box.caret = len; return true;
        case Key::Back:
            if (box.caret > 0) eraseAt(--box.caret);
            return true;
        case Key::Delete:
            if (box.caret < len) eraseAt(box.caret);
            return true;
        default: return false;
    }
}

void LevelBoxType(LevelBoxView& box, const std::string& utf8, std::size_t maxBytes) {
    std::string clean;
    int added = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t c = 0;
        const std::size_t length = decodeUtf8(utf8, i, c);
        // A stray or cut-off sequence is not a character, and neither is a control
        // character. Kept: a space is never typed either, since Space accepts the entry.
        if (length > 0 && c > 0x20 && c != 0x7F) {
            // Only whole characters, and only as many as the box takes.
            if (box.text.size() + clean.size() + length > maxBytes) break;
            clean.append(utf8, i, length);
            ++added;
        }
        i += std::max<std::size_t>(length, 1);
    }
    if (clean.empty()) return;
    box.caret = std::clamp(box.caret, 0, utf8Length(box.text));
    box.text.insert(utf8Offset(box.text, box.caret), clean);
    box.caret += added;
}

namespace {
constexpr int kHelpLinePx = 40;  // an arrow's or a wheel notch's scroll

void HelpScroll(HelpView& view, int delta, int contentHeight) {
    const int maxScroll = std::max(0, contentHeight - look::kHelp.height);
    view.scrollY = std::clamp(view.scrollY + delta, 0, maxScroll);
}
}  // namespace

bool HelpScrollKey(HelpView& view, Key key, int contentHeight) {
    int delta = 0;
    switch (key) {
        case Key::Up: delta = -kHelpLinePx; break;
        case Key::Down: delta = kHelpLinePx; break;
        case Key::PageUp: delta = -look::kHelp.height; break;
        case Key::PageDown: delta = look::kHelp.height; break;
        default: return false;
    }
    HelpScroll(view, delta, contentHeight);
    return true;
}

void WindowTakesInput(WindowView& view, const InputEvent& event, int helpHeight) {
    if (event.kind == InputEvent::Kind::Text) {
        if (view.levelBox.shown) LevelBoxType(view.levelBox, event.text, kMaxLevelNameBytes);
        return;
    }
    if (event.kind == InputEvent::Kind::Wheel) {
        // A notch away from the player scrolls up, as the Up arrow does.
        if (view.help.shown && !view.levelBox.shown) HelpScroll(view.help, -event.wheelSteps * kHelpLinePx, helpHeight);
        return;
    }
    if (event.kind != InputEvent::Kind::Key) return;
    if (view.levelBox.shown) {
        LevelBoxKey(view.levelBox, event.key);
    } else if (view.help.shown) {
        HelpScrollKey(view.help, event.key, helpHeight);
    }
}

}  // namespace tk

// The Gamepad API's standard buttons and left stick onto PadKeys, one per controller.
#include "platform/web_pads.h"

namespace tk::web {
namespace {

// The standard mapping's numbers for the buttons the game uses.
bool ButtonOf(int standard, PadButton& button) {
    switch (standard) {
        case 0: button = PadButton::A; return true;
        case 1: button = PadButton::B; return true;
        case 2: button = PadButton::X; return true;
        case 3: button = PadButton::Y; return true;
        case 4: button = PadButton::LeftShoulder; return true;
        case 5: button = PadButton::RightShoulder; return true;
        case 8: button = PadButton::Back; return true;
        case 9: button = PadButton::Start; return true;
        case 12: button = PadButton::DpadUp; return true;
        case 13: button = PadButton::DpadDown; return true;
        case 14: button = PadButton::DpadLeft; return true;
        case 15: button = PadButton::DpadRight; return true;
        default: return false;
    }
}

}  // namespace

void Pads::Take(const TkPageEvent& e, KeyLatches& latches, std::deque<InputEvent>& input) {
    Key key = Key::None;
    PadButton button;
    switch (e.kind) {
        case kPadDown:
            if (ButtonOf(e.button, button)) key = pads_[e.pad].Press(button, latches);
            break;
        case kPadUp:
            if (ButtonOf(e.button, button)) pads_[e.pad].Release(button);
            break;
        // Axes 0 and 1 are the left stick's.
        case kPadStick:
            if (e.x == 0 || e.x == 1)
                key = pads_[e.pad].Stick(e.x == 0 ? PadAxis::LeftX : PadAxis::LeftY, e.steps, latches);
            break;
        case kPadGone: pads_.erase(e.pad); break;
        default: break;
    }
    if (key != Key::None) input.push_back({InputEvent::Kind::Key, key, 0, {}});
}

bool Pads::Holds(Key key) const {
    for (const auto& [number, pad] : pads_)
        if (pad.Holds(key)) return true;
    return false;
}

}  // namespace tk::web

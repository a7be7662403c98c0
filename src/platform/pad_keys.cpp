// The controller's buttons mapped onto the game's keys, with the stick's dead zone.
#include "platform/pad_keys.h"

#include "platform/keys.h"

namespace tk {
namespace {

struct Mapping {
    Key keyDown;   // what the menus get, Key::None for nothing
    Key keys[2];   // latched on a press, Key::None for none
    bool holds;    // whether the keys stay down while the button does
};

// Back is Esc on the menus and P in a level: it pauses and resumes, and in the quit
// question it answers no. A and B each answer the quit question besides choosing and asking. They only latch: the
// press of B that asks the question must not answer it while the button is still down,
// and no key of theirs means anything while held. Walking and turning go on while held.
constexpr Mapping kMappings[] = {
    /* A */ {Key::Return, {Key::Return, Key::Y}, false},
    /* B */ {Key::Escape, {Key::Escape, Key::N}, false},
    /* X */ {Key::None, {Key::Control, Key::Left}, true},
    /* Y */ {Key::None, {Key::Control, Key::Right}, true},
    /* Back */ {Key::Escape, {Key::P, Key::N}, false},
    /* LeftShoulder */ {Key::None, {Key::Control, Key::Left}, true},
    /* RightShoulder */ {Key::None, {Key::Control, Key::Right}, true},
    /* DpadUp */ {Key::Up, {Key::Up, Key::None}, true},
    /* DpadDown */ {Key::Down, {Key::Down, Key::None}, true},
    /* DpadLeft */ {Key::Left, {Key::Left, Key::None}, true},
    /* DpadRight */ {Key::Right, {Key::Right, Key::None}, true},
    /* Start */ {Key::None, {Key::H, Key::None}, false},
};
static_assert(sizeof kMappings / sizeof kMappings[0] == static_cast<int>(PadButton::Count));

// Half way out counts as pushed; it must come back under a third before it counts as let
// go, so that a stick resting near the edge of the dead zone does not chatter.
constexpr int kPushed = 16384, kLetGo = 10922;

// The arrow of an axis's side: negative is left or up.
Key Arrow(PadAxis axis, int side) {
    if (axis == PadAxis::LeftX) return side < 0 ? Key::Left : Key::Right;
    return side < 0 ? Key::Up : Key::Down;
}

int Index(PadButton button) { return static_cast<int>(button); }
bool Valid(PadButton button) { return Index(button) >= 0 && button < PadButton::Count; }

}  // namespace

Key PadKeys::Press(PadButton button, KeyLatches& latches) {
    if (!Valid(button)) return Key::None;
    down_[Index(button)] = true;
    const Mapping& m = kMappings[Index(button)];
    for (Key key : m.keys)
        if (key != Key::None) latches.Press(key);
    return m.keyDown;
}

void PadKeys::Release(PadButton button) {
    if (Valid(button)) down_[Index(button)] = false;
}

Key PadKeys::Stick(PadAxis axis, int value, KeyLatches& latches) {
    int& side = stick_[axis == PadAxis::LeftX ? 0 : 1];
    const int was = side;
    if (value >= kPushed) side = 1;
    else if (value <= -kPushed) side = -1;
    else if (side * value < kLetGo) side = 0;  // back near the middle, or over to the other side
    if (side == was || side == 0) return Key::None;
    const Key key = Arrow(axis, side);
    latches.Press(key);
    return key;
}

void PadKeys::ReleaseAll() {
    for (bool& d : down_) d = false;
    stick_[0] = stick_[1] = 0;
}

bool PadKeys::Holds(Key key) const {
    if (key == Key::None) return false;
    for (int i = 0; i < static_cast<int>(PadButton::Count); ++i) {
        const Mapping& m = kMappings[i];
        if (down_[i] && m.holds && (m.keys[0] == key || m.keys[1] == key)) return true;
    }
    return (stick_[0] != 0 && Arrow(PadAxis::LeftX, stick_[0]) == key) ||
           (stick_[1] != 0 && Arrow(PadAxis::LeftY, stick_[1]) == key);
}

}  // namespace tk

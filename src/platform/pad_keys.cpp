// The controller's buttons mapped onto key codes, with the stick's dead zone.
#include "platform/pad_keys.h"

#include "platform/keys.h"

namespace tk {
namespace {

struct Mapping {
    int keyDown;   // what the menus get, 0 for nothing
    int keys[2];   // latched on a press, 0 for none
    bool holds;    // whether the keys stay down while the button does
};

// A and B each answer the quit question besides choosing and asking. They only latch: the
// press of B that asks the question must not answer it while the button is still down,
// and no key of theirs means anything while held. Walking and turning go on while held.
constexpr Mapping kMappings[] = {
    /* A */ {vk::Return, {vk::Return, vk::letter('Y')}, false},
    /* B */ {vk::Escape, {vk::Escape, vk::letter('N')}, false},
    /* X */ {0, {vk::Control, vk::Left}, true},
    /* Y */ {0, {vk::Control, vk::Right}, true},
    /* Back */ {vk::Escape, {vk::Escape, vk::letter('N')}, false},
    /* LeftShoulder */ {0, {vk::Control, vk::Left}, true},
    /* RightShoulder */ {0, {vk::Control, vk::Right}, true},
    /* DpadUp */ {vk::Up, {vk::Up, 0}, true},
    /* DpadDown */ {vk::Down, {vk::Down, 0}, true},
    /* DpadLeft */ {vk::Left, {vk::Left, 0}, true},
    /* DpadRight */ {vk::Right, {vk::Right, 0}, true},
    /* Start */ {0, {vk::letter('H'), 0}, false},
};
static_assert(sizeof kMappings / sizeof kMappings[0] == static_cast<int>(PadButton::Count));

// Half way out counts as pushed; it must come back under a third before it counts as let
// go, so that a stick resting near the edge of the dead zone does not chatter.
constexpr int kPushed = 16384, kLetGo = 10922;

// The arrow of an axis's side: negative is left or up.
int Arrow(PadAxis axis, int side) {
    if (axis == PadAxis::LeftX) return side < 0 ? vk::Left : vk::Right;
    return side < 0 ? vk::Up : vk::Down;
}

int Index(PadButton button) { return static_cast<int>(button); }
bool Valid(PadButton button) { return Index(button) >= 0 && button < PadButton::Count; }

}  // namespace

int PadKeys::Press(PadButton button, KeyLatches& latches) {
    if (!Valid(button)) return 0;
    down_[Index(button)] = true;
    const Mapping& m = kMappings[Index(button)];
    for (int key : m.keys)
        if (key) latches.Press(key);
    return m.keyDown;
}

void PadKeys::Release(PadButton button) {
    if (Valid(button)) down_[Index(button)] = false;
}

int PadKeys::Stick(PadAxis axis, int value, KeyLatches& latches) {
    int& side = stick_[axis == PadAxis::LeftX ? 0 : 1];
    const int was = side;
    if (value >= kPushed) side = 1;
    else if (value <= -kPushed) side = -1;
    else if (side * value < kLetGo) side = 0;  // back near the middle, or over to the other side
    if (side == was || side == 0) return 0;
    const int key = Arrow(axis, side);
    latches.Press(key);
    return key;
}

void PadKeys::ReleaseAll() {
    for (bool& d : down_) d = false;
    stick_[0] = stick_[1] = 0;
}

bool PadKeys::Holds(int vkCode) const {
    if (vkCode == 0) return false;
    for (int i = 0; i < static_cast<int>(PadButton::Count); ++i) {
        const Mapping& m = kMappings[i];
        if (down_[i] && m.holds && (m.keys[0] == vkCode || m.keys[1] == vkCode)) return true;
    }
    return (stick_[0] != 0 && Arrow(PadAxis::LeftX, stick_[0]) == vkCode) ||
           (stick_[1] != 0 && Arrow(PadAxis::LeftY, stick_[1]) == vkCode);
}

}  // namespace tk

// What the player pressed or typed, as both platforms hand it to the game, and the key latches.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/keys.h"

namespace tk {

enum class PointerButton : std::uint8_t { Left, Middle, Right };

// A key-down (with its modifier mask), text typed for the level box, the pointer, or the
// window losing the player's attention. Auto-repeat arrives as further key-downs. Pointer
// positions are pixels of the game's 800 × 600 picture, wherever the picture stands on
// screen (a scaled window, full screen); a pointer over the black bars is not reported.
struct InputEvent {
    enum class Kind {
        Key,
        Text,
        PointerMove,  // the pointer moved to (x, y)
        PointerDown,  // `button` went down at (x, y)
        Wheel,        // the wheel turned `wheelSteps` notches with the pointer at (x, y)
        FocusLost,    // the window lost the keyboard to another one
        Minimised,    // the window went down to the task bar or was hidden
    } kind = Kind::Key;
    Key key = Key::None;
    int modifiers = 0;  // kShiftHeld | kCtrlHeld | kAltHeld
    std::string text;   // UTF-8, for Text
    int x = 0, y = 0;
    PointerButton button = PointerButton::Left;
    int wheelSteps = 0;  // positive: away from the player (up), negative: toward

    static InputEvent Pointer(Kind kind, int x, int y, PointerButton button = PointerButton::Left, int steps = 0) {
        InputEvent e;
        e.kind = kind;
        e.x = x;
        e.y = y;
        e.button = button;
        e.wheelSteps = steps;
        return e;
    }
    static InputEvent Of(Kind kind) {
        InputEvent e;
        e.kind = kind;
        return e;
    }
    bool IsPointer() const { return kind == Kind::PointerMove || kind == Kind::PointerDown || kind == Kind::Wheel; }
};

// "Clicked since the last look": the last button press or wheel turn, kept for play, which
// polls as it does for keys. A look reports it and clears it.
class PointerLatch {
public:
    void Take(const InputEvent& event) {
        if (event.kind == InputEvent::Kind::PointerDown || event.kind == InputEvent::Kind::Wheel) last_ = event, held_ = true;
    }
    std::optional<InputEvent> Look() {
        if (!held_) return std::nullopt;
        held_ = false;
        return last_;
    }

private:
    InputEvent last_;
    bool held_ = false;
};

// "Pressed since the last look": every key-down sets its key's latch, and a look at the
// key reports and clears it. Both platforms keep theirs here.
class KeyLatches {
public:
    void Press(Key key) {
        if (Valid(key)) latch_[static_cast<int>(key)] = true;
    }
    KeyState Look(Key key, bool downNow) {
        if (!Valid(key)) return {};
        bool& latch = latch_[static_cast<int>(key)];
        const KeyState state{downNow, latch};
        latch = false;
        return state;
    }

private:
    static bool Valid(Key key) { return key != Key::None && static_cast<int>(key) < kKeyCount; }
    bool latch_[kKeyCount] = {};
};

}  // namespace tk

// What the player pressed or typed, as both platforms hand it to the game, and the key latches.
#pragma once

#include <string>

#include "platform/keys.h"

namespace tk {

// A key-down (with its modifier mask) or text typed for the level box. Auto-repeat
// arrives as further key-downs.
struct InputEvent {
    enum class Kind { Key, Text } kind = Kind::Key;
    Key key = Key::None;
    int modifiers = 0;  // kShiftHeld | kCtrlHeld | kAltHeld
    std::string text;   // UTF-8, for Text
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

// What the player pressed or typed, as both platforms hand it to the game, and the key latches.
#pragma once

#include <cstdint>
#include <string>

#include "platform/keys.h"

namespace tk {

// A key-down (with its modifier mask) or text typed for the text box. Auto-repeat
// arrives as further key-downs.
struct InputEvent {
    enum class Kind { Key, Text } kind = Kind::Key;
    int vk = 0;
    int shift = 0;
    std::string text;  // UTF-8, for Text
};

// "Pressed since the last query": every key-down sets its key's latch, and a query
// of the key's state reports and clears it. Both platforms keep theirs here.
class KeyLatches {
public:
    void Press(int vkCode) {
        if (vkCode >= 0 && vkCode < vk::kCount) latch_[vkCode] = true;
    }
    // Nonzero when the key is down now or was pressed since the previous query of it.
    std::int16_t Query(int vkCode, bool downNow) {
        if (vkCode < 0 || vkCode >= vk::kCount) return 0;
        const bool pressed = latch_[vkCode];
        latch_[vkCode] = false;
        return static_cast<std::int16_t>((downNow ? 0x8000 : 0) | (pressed ? 1 : 0));
    }

private:
    bool latch_[vk::kCount] = {};
};

}  // namespace tk

// A game controller as the keys the game already knows: each button stands for one or two
// keys, pressed and held the way keys are. Plain code, the same on every platform; the
// game never learns that a controller exists.
#pragma once

#include "platform/input.h"

namespace tk {

enum class PadButton { A, B, X, Y, Back, LeftShoulder, RightShoulder, DpadUp, DpadDown, DpadLeft, DpadRight, Start, Count };
enum class PadAxis { LeftX, LeftY };

// One controller's buttons and left stick. The menus take key-downs, play polls key states:
//   d-pad, left stick   the arrows (a key-down, and held while held)
//   A                   Enter; in the quit question Y (yes)
//   B                   Esc; in the quit question N (no)
//   Back                Esc on the menus; P in a level: pause and go on; in the quit question N
//   X, left shoulder    Ctrl + Left: the pipe turns counter-clockwise while held
//   Y, right shoulder   Ctrl + Right: clockwise
//   Start               H: a hint in a level
class PadKeys {
public:
    // The button went down: every key it stands for is latched in `latches`. Returns the
    // key-down the menus get, Key::None for none.
    Key Press(PadButton button, KeyLatches& latches);
    void Release(PadButton button);
    // The stick moved on one axis (-32768..32767, negative left or up). Returns the arrow's
    // key-down when the stick has just been pushed that way, Key::None otherwise.
    Key Stick(PadAxis axis, int value, KeyLatches& latches);
    // The controller is gone: nothing it held is held any longer.
    void ReleaseAll();

    // Whether a button or the stick holds the key down now.
    bool Holds(Key key) const;

private:
    bool down_[static_cast<int>(PadButton::Count)] = {};
    int stick_[2] = {};  // per axis: -1, 0 or +1
};

}  // namespace tk

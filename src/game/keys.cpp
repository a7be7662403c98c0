// The arrows in their fixed order, then Ctrl, Space and Shift turning Left and Right into turns.
#include "game/keys.h"

namespace tk {

Action ReadDirection(Platform& plat) {
    // Kept: the last pressed arrow in the order Left, Up, Right, Down wins, so Down beats
    // Up and Right beats Left.
    Action action = Action::None;
    if (Pressed(plat, Key::Left)) action = Action::StepLeft;
    if (Pressed(plat, Key::Up)) action = Action::StepUp;
    if (Pressed(plat, Key::Right)) action = Action::StepRight;
    if (Pressed(plat, Key::Down)) action = Action::StepDown;
    const bool ctrl = Pressed(plat, Key::Control);
    const bool space = Pressed(plat, Key::Space);
    const bool shift = Pressed(plat, Key::Shift);
    if (ctrl || space || shift) {
        if (action == Action::StepLeft) action = Action::TurnLeft;
        else if (action == Action::StepRight) action = Action::TurnRight;
    }
    return action;
}

}  // namespace tk

// The arrows in their fixed order, then Ctrl, Space and Shift turning Left and Right into turns.
#include "game/keys.h"

#include "puzzle/board.h"

namespace tk {

std::int16_t ReadDirection(Platform& plat) {
    // Kept: the last pressed arrow in the order Left, Up, Right, Down wins, so Down beats
    // Up and Right beats Left.
    std::int16_t code = dirNone;
    if (Pressed(plat, Key::Left)) code = dirLeft;
    if (Pressed(plat, Key::Up)) code = dirUp;
    if (Pressed(plat, Key::Right)) code = dirRight;
    if (Pressed(plat, Key::Down)) code = dirDown;
    const bool ctrl = Pressed(plat, Key::Control);
    const bool space = Pressed(plat, Key::Space);
    const bool shift = Pressed(plat, Key::Shift);
    if (ctrl || space || shift) {
        if (code == dirLeft) code = turnLeft;
        else if (code == dirRight) code = turnRight;
    }
    return code;
}

}  // namespace tk

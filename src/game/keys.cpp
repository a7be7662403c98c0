// The arrows in their fixed order, then Ctrl, Space and Shift turning Left and Right into turns.
#include "game/keys.h"

#include "puzzle/board.h"

namespace tk {

std::int16_t ReadDirection(Platform& plat) {
    // Kept: the last pressed arrow in the order Left, Up, Right, Down wins, so Down beats
    // Up and Right beats Left.
    std::int16_t code = dirNone;
    if (Pressed(plat, vk::Left)) code = dirLeft;
    if (Pressed(plat, vk::Up)) code = dirUp;
    if (Pressed(plat, vk::Right)) code = dirRight;
    if (Pressed(plat, vk::Down)) code = dirDown;
    const bool ctrl = Pressed(plat, vk::Control);
    const bool space = Pressed(plat, vk::Space);
    const bool shift = Pressed(plat, vk::Shift);
    if (ctrl || space || shift) {
        if (code == dirLeft) code = turnLeft;
        else if (code == dirRight) code = turnRight;
    }
    return code;
}

}  // namespace tk

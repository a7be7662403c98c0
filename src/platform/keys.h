// Virtual-key codes and the modifier mask, as the game's key rules speak of them.
#pragma once

namespace tk {

namespace vk {
constexpr int Back = 0x08, Tab = 0x09, Return = 0x0D, Shift = 0x10, Control = 0x11, Menu = 0x12,
              Escape = 0x1B, Space = 0x20, Prior = 0x21, Next = 0x22, End = 0x23, Home = 0x24,
              Left = 0x25, Up = 0x26, Right = 0x27, Down = 0x28, Delete = 0x2E;
// 'A'..'Z' (either case) -> 0x41..0x5A, by the key's label in the active layout.
constexpr int letter(char c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; }
constexpr int kCount = 256;  // codes 0..255
}  // namespace vk

// Modifier mask of a key-down.
namespace shiftmask {
constexpr int Shift = 1, Ctrl = 2, Alt = 4;
}

}  // namespace tk

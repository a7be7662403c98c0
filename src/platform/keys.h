// The keys the game knows, the modifiers of a key-down, and a key's state as play looks at it.
#pragma once

#include <cstdint>

namespace tk {

// Every key the game's screens and play listen to; the platforms translate their own keys
// into these, and drop the rest. Letters follow the key's label in the active layout.
enum class Key : std::uint8_t {
    None,
    Back, Return, Shift, Control, Alt, Escape, Space, PageUp, PageDown, End, Home,
    Left, Up, Right, Down, Delete,
    A, B, C, D, E, F, G, H, I, J, K, L, M, N, O, P, Q, R, S, T, U, V, W, X, Y, Z,
    Count
};

inline constexpr int kKeyCount = static_cast<int>(Key::Count);

// The key of a letter, either case; Key::None for anything else.
constexpr Key LetterKey(char c) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c < 'A' || c > 'Z') return Key::None;
    return static_cast<Key>(static_cast<int>(Key::A) + (c - 'A'));
}

// The modifiers held with a key-down, as a mask.
inline constexpr int kShiftHeld = 1, kCtrlHeld = 2, kAltHeld = 4;

// A key as play sees it when it looks: held now, and whether it went down since the last
// look at that key (so a tap between two looks still counts). Looking clears the second.
struct KeyState {
    bool down = false;
    bool pressed = false;
    bool Any() const { return down || pressed; }
    friend bool operator==(const KeyState&, const KeyState&) = default;
};

}  // namespace tk

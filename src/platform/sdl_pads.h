// The game controllers SDL finds, plugged in before the start or while the game runs,
// turned into the keys, latches and held keys of PadKeys.
#pragma once

#include <SDL.h>

#include <deque>
#include <map>

#include "platform/input.h"
#include "platform/pad_keys.h"

namespace tk::sdl {

class Pads {
public:
    Pads() = default;
    Pads(const Pads&) = delete;
    Pads& operator=(const Pads&) = delete;
    ~Pads();

    // Takes a controller event: a controller plugged in is opened, one pulled out is
    // closed with everything it held let go; a button or stick latches its keys in
    // `latches`, and a key-down for the menus goes to `input`. True when one did or a
    // button was pressed: either wakes a wait for input.
    bool Take(const SDL_Event& event, KeyLatches& latches, std::deque<InputEvent>& input);
    bool Holds(Key key) const;
    bool Any() const { return !pads_.empty(); }

private:
    struct Pad {
        SDL_GameController* controller = nullptr;
        PadKeys keys;
    };
    std::map<SDL_JoystickID, Pad> pads_;
};

}  // namespace tk::sdl

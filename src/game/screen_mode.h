// The screen or phase the program is in, numbered as the game's rules speak of them.
#pragma once

#include <cstdint>

namespace tk {

constexpr std::uint8_t modePlaying = 0,     // a level is played
                       modeLost = 1,        // its clock ran out
                       modeWon = 2,         // every cell but the floor holds water
                       modeQuitLevel = 3,   // the player confirmed leaving it
                       modeMainMenu = 4, modeHelp = 5, modeOptions = 6,
                       modeLevelEntry = 7;  // a level name is being typed

}  // namespace tk

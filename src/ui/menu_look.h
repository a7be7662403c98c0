// How the five menu lines and their cursor look on the main menu and the options screen.
#pragma once

#include "platform/controls.h"

namespace tk::menulook {

inline constexpr Rgb kNormal{208, 208, 208};
inline constexpr Rgb kHighlight{224, 255, 0};

inline constexpr int kLines = 5;

// The main menu's lines are larger; the options screen needs room for longer captions.
inline constexpr double kMainMenuPt = 36;
inline constexpr double kOptionsPt = 30;

// The cursor sits a little above its line, further with the smaller options font.
inline constexpr int kMainMenuCursorOffset = -4;
inline constexpr int kOptionsCursorOffset = -10;

// The lines keep their places and colours (the highlight survives a change of screen
// or language); only the size of their font differs between the two screens.
inline void setFontSize(Label (&lines)[kLines], double points) {
    for (Label& l : lines) l.FontSize = points;
}

}  // namespace tk::menulook

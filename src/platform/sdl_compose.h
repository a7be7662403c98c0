// Composing the 800 × 600 window from its elements, and finding what changed between two states.
#pragma once

#include <SDL.h>

#include <functional>

#include "platform/controls.h"
#include "platform/sdl_board.h"
#include "platform/sdl_pictures.h"
#include "platform/sdl_text.h"

namespace tk::sdl {

// Paints the help page into the view's rectangle on the window.
using HelpDrawer = std::function<void(const BrowserView& view, const SDL_Rect& onWindow)>;

inline constexpr SDL_Rect kWholeWindow{0, 0, kWindowWidth, kWindowHeight};

// Draws the window as `controls` describe it into the renderer's current target, touching
// only `area`. `board` holds the board picture's persistent image.
void ComposeWindow(SDL_Renderer* renderer, const Controls& controls, PictureTable& pictures, TextCache& texts,
                   SDL_Texture* board, const HelpDrawer& drawHelp, const SDL_Rect& area = kWholeWindow);

// Adds to `changed` the window rectangles that look different when `before` becomes `after`.
void AddChangedAreas(const Controls& before, const Controls& after, TextCache& texts, DirtyRegion& changed);

// Where the board's own painting shows on the window: `painted` is taken and moved onto
// the board's place, clipped to it. Nothing while the board is hidden.
void AddBoardPainting(const Controls& controls, DirtyRegion& painted, DirtyRegion& changed);

}  // namespace tk::sdl

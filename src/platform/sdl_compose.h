// The painter: the 800 × 600 window composed from what the screens show, in the look of
// window_look.h, and the places that change between two views.
#pragma once

#include <SDL.h>

#include <functional>

#include "platform/sdl_board.h"
#include "platform/sdl_pictures.h"
#include "platform/sdl_text.h"
#include "platform/window_view.h"

namespace tk::sdl {

// Paints the help page into its rectangle on the window.
using HelpDrawer = std::function<void(const HelpView& view, const SDL_Rect& onWindow)>;

inline constexpr SDL_Rect kWholeWindow{0, 0, kWindowWidth, kWindowHeight};

// Draws the window as `view` says into the renderer's current target, touching only
// `area`. `board` holds the board picture's persistent image.
void ComposeWindow(SDL_Renderer* renderer, const WindowView& view, PictureTable& pictures, TextCache& texts,
                   SDL_Texture* board, const HelpDrawer& drawHelp, const SDL_Rect& area = kWholeWindow);

// Renders the text `play` shows into `texts`, drawing nothing.
void PrepareText(const PlayView& play, TextCache& texts);

// Adds to `changed` the window rectangles that look different when `before` becomes `after`.
void AddChangedAreas(const WindowView& before, const WindowView& after, TextCache& texts, DirtyRegion& changed);

// Where the board's own painting shows on the window: `painted` is taken and moved onto
// the board's place, clipped to it. Nothing while the board is hidden.
void AddBoardPainting(const WindowView& view, DirtyRegion& painted, DirtyRegion& changed);

}  // namespace tk::sdl

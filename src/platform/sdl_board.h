// The board's drawing surface over an SDL renderer, and the record of where it was painted.
#pragma once

#include <SDL.h>

#include <functional>
#include <vector>

#include "platform/platform.h"
#include "platform/sdl_pictures.h"

namespace tk::sdl {

// Rectangles painted since they were last taken, merged where they overlap.
class DirtyRegion {
public:
    void Add(const SDL_Rect& rect);
    void AddAll(const std::vector<SDL_Rect>& rects) {
        for (const SDL_Rect& r : rects) Add(r);
    }
    bool Empty() const { return rects_.empty(); }
    // The rectangles, moved by (dx, dy) and clipped to `bounds`; the region is emptied.
    std::vector<SDL_Rect> Take(int dx = 0, int dy = 0, const SDL_Rect* bounds = nullptr);

private:
    std::vector<SDL_Rect> rects_;
};

// `target` names the texture that holds the persistent image (null: the renderer
// draws into its own surface, as the twin's software renderer does).
class RendererBoard : public BoardSurface {
public:
    RendererBoard(SDL_Renderer* renderer, PictureTable& pictures, std::function<SDL_Texture*()> target);

    void DrawCell(int x, int y, const Layers& layers) override;
    void DrawSprite(PictureHandle picture, float left, float top) override;
    void DrawTurned(PictureHandle picture, int x, int y, float degrees) override;
    void DrawCover(PictureHandle picture) override;

    DirtyRegion& Painted() { return painted_; }

private:
    bool Begin();  // the persistent image as the render target; false when it is gone
    void Copy(PictureHandle picture, const SDL_Rect* src, const SDL_FRect& dst, float degrees = 0);

    SDL_Renderer* renderer_;
    PictureTable& pictures_;
    std::function<SDL_Texture*()> target_;
    DirtyRegion painted_;
};

// A drawing surface that draws nothing (fast play-throughs).
class NullBoard : public BoardSurface {
public:
    void DrawCell(int, int, const Layers&) override {}
    void DrawSprite(PictureHandle, float, float) override {}
    void DrawTurned(PictureHandle, int, int, float) override {}
    void DrawCover(PictureHandle) override {}
};

}  // namespace tk::sdl

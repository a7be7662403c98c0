// Painting cells, the figure, turned pictures and the outcome into the board's persistent image.
#include "platform/sdl_board.h"

#include <cmath>

#include "platform/geometry.h"

namespace tk::sdl {
namespace {

constexpr float kCell = static_cast<float>(kCellPx);

SDL_Rect CellRect(int x, int y, int grow = 0) {
    return SDL_Rect{kCellPx * x - grow, kCellPx * y - grow, kCellPx + 2 * grow, kCellPx + 2 * grow};
}

SDL_Rect Enclosing(const SDL_FRect& r) {
    const int left = static_cast<int>(std::floor(r.x)), top = static_cast<int>(std::floor(r.y));
    return SDL_Rect{left, top, static_cast<int>(std::ceil(r.x + r.w)) - left,
                    static_cast<int>(std::ceil(r.y + r.h)) - top};
}

bool Touch(const SDL_Rect& a, const SDL_Rect& b) {
    return a.x <= b.x + b.w && b.x <= a.x + a.w && a.y <= b.y + b.h && b.y <= a.y + a.h;
}

}  // namespace

// ---- the painted region -----------------------------------------------------

void DirtyRegion::Add(const SDL_Rect& rect) {
    if (rect.w <= 0 || rect.h <= 0) return;
    SDL_Rect grown = rect;
    // Merging keeps the list short: a rectangle that touches another swallows it, and
    // so on until nothing touches.
    for (bool merged = true; merged;) {
        merged = false;
        for (auto it = rects_.begin(); it != rects_.end(); ++it) {
            if (Touch(*it, grown)) {
                SDL_UnionRect(&*it, &grown, &grown);
                rects_.erase(it);
                merged = true;
                break;
            }
        }
    }
    rects_.push_back(grown);
    // Past a handful of pieces one rectangle round them all is cheaper to draw.
    if (rects_.size() > 8) {
        SDL_Rect all = rects_.front();
        for (const SDL_Rect& r : rects_) SDL_UnionRect(&all, &r, &all);
        rects_.assign(1, all);
    }
}

std::vector<SDL_Rect> DirtyRegion::Take(int dx, int dy, const SDL_Rect* bounds) {
    std::vector<SDL_Rect> out;
    for (SDL_Rect r : rects_) {
        r.x += dx;
        r.y += dy;
        if (bounds) {
            SDL_Rect clipped;
            if (!SDL_IntersectRect(&r, bounds, &clipped)) continue;
            r = clipped;
        }
        out.push_back(r);
    }
    rects_.clear();
    return out;
}

// ---- the board ---------------------------------------------------------------

RendererBoard::RendererBoard(SDL_Renderer* renderer, PictureTable& pictures,
                             std::function<SDL_Texture*()> target)
    : renderer_(renderer), pictures_(pictures), target_(std::move(target)) {}

bool RendererBoard::Begin() {
    SDL_Texture* target = target_ ? target_() : nullptr;
    if (target_ && !target) return false;
    if (SDL_GetRenderTarget(renderer_) != target) SDL_SetRenderTarget(renderer_, target);
    SDL_RenderSetClipRect(renderer_, nullptr);
    return true;
}

void RendererBoard::Copy(PictureHandle picture, const SDL_Rect* src, const SDL_FRect& dst, float degrees) {
    if (!picture) return;
    SDL_Texture* tex = pictures_.Texture(picture, renderer_);
    if (!tex) return;
    if (std::fabs(std::remainder(degrees, 360.0f)) < 1e-6f) {
        SDL_RenderCopyF(renderer_, tex, src, &dst);
    } else {
        SDL_RenderCopyExF(renderer_, tex, src, &dst, degrees, nullptr, SDL_FLIP_NONE);
    }
}

void RendererBoard::DrawCell(int x, int y, const Layers& layers) {
    if (!Begin()) return;
    const SDL_Rect cell = CellRect(x, y);
    const SDL_FRect dst{kCell * static_cast<float>(x), kCell * static_cast<float>(y), kCell, kCell};
    // The source rectangle lies where the cell lies, so the pieces of all cells line up
    // into one picture and any cell can be painted alone.
    if (layers.background) Copy(layers.background, &cell, dst);
    Copy(layers.underlay, nullptr, dst);
    Copy(layers.piece, nullptr, dst);
    painted_.Add(cell);
}

void RendererBoard::DrawSprite(PictureHandle picture, float left, float top) {
    if (!Begin()) return;
    const SDL_FRect dst{left, top, kCell, kCell};
    Copy(picture, nullptr, dst);
    painted_.Add(Enclosing(dst));
}

void RendererBoard::DrawTurned(PictureHandle picture, int x, int y, float degrees) {
    if (!Begin()) return;
    const SDL_FRect dst{kCell * static_cast<float>(x), kCell * static_cast<float>(y), kCell, kCell};
    Copy(picture, nullptr, dst, degrees);
    painted_.Add(CellRect(x, y, kTurnOverhang));
}

void RendererBoard::DrawCover(PictureHandle picture) {
    if (!Begin()) return;
    const SDL_FRect dst{0, 0, static_cast<float>(kBoardWidth), static_cast<float>(kBoardHeight)};
    Copy(picture, nullptr, dst);
    painted_.Add(SDL_Rect{0, 0, kBoardWidth, kBoardHeight});
}

}  // namespace tk::sdl

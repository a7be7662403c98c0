// Text on the window: rendered lines kept as textures, labels and the one-line text box.
#pragma once

#include <SDL.h>
#include <SDL_ttf.h>

#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "platform/controls.h"
#include "platform/sdl_handles.h"

namespace tk::sdl {

// Every label and the text box use this family; fontconfig substitutes where it is absent.
inline constexpr const char* kTextFamily = "Trebuchet MS";

// Rendered lines of text, kept as textures so that drawing a label again is cheap.
class TextCache {
public:
    struct Line {
        SDL_Texture* texture = nullptr;
        int w = 0, h = 0;
    };
    explicit TextCache(SDL_Renderer* renderer) : renderer_(renderer) {}

    // The line stays valid until Trim or Clear.
    const Line& Get(const std::string& text, TTF_Font* font, Rgb colour);
    // Between frames: forgets everything once the textures hold more than a few
    // megabytes (the clock makes a new caption every second).
    void Trim();
    void Clear();
    std::size_t Bytes() const { return bytes_; }

private:
    struct Kept {
        Line line;
        TextureHandle texture;
    };
    SDL_Renderer* renderer_;
    std::map<std::tuple<std::string, TTF_Font*, std::uint32_t>, Kept> lines_;
    std::size_t bytes_ = 0;
};

// Narrows the renderer's clip rectangle for as long as the guard lives.
class ClipGuard {
public:
    ClipGuard(SDL_Renderer* renderer, SDL_Rect rect);
    ~ClipGuard();
    ClipGuard(const ClipGuard&) = delete;
    ClipGuard& operator=(const ClipGuard&) = delete;
    bool Empty() const { return empty_; }

private:
    SDL_Renderer* r_;
    SDL_Rect old_{};
    bool had_ = false;
    bool empty_ = false;
};

void FillRect(SDL_Renderer* renderer, const SDL_Rect& rect, Rgb colour);

// The font a label or the text box is drawn with; null only when the machine has none.
TTF_Font* LabelFont(double points, bool bold);

// The lines a label shows, and the rectangle it covers when its Left/Top are relative to
// (originX, originY).
struct LabelLayout {
    std::vector<std::string> lines;
    int lineHeight = 0;
    SDL_Rect box{};
};
LabelLayout LayOutLabel(const Label& label, TextCache& texts, int originX, int originY);

void DrawLabel(SDL_Renderer* renderer, TextCache& texts, const Label& label, int originX, int originY);
void DrawTextBox(SDL_Renderer* renderer, TextCache& texts, const TextBox& box);

}  // namespace tk::sdl

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

    // A frame's lines take a few megabytes; past this the cache starts afresh.
    static constexpr std::size_t kMaxBytes = 32u << 20;

    // The line stays valid until Trim or Clear. A line too big to be seen whole is
    // measured but not drawn.
    const Line& Get(const std::string& text, TTF_Font* font, Rgb colour);
    // Between frames: forgets everything once the lines take kMaxBytes (the clock makes
    // a new caption every second, every key typed into the text box a new line).
    void Trim();
    void Clear();
    std::size_t Bytes() const { return bytes_; }  // the lines' pixels and keys, roughly

private:
    struct Entry {
        Line line;
        TextureHandle texture;
    };
    SDL_Renderer* renderer_;
    std::map<std::tuple<std::string, TTF_Font*, std::uint32_t>, Entry> lines_;
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
inline TTF_Font* LabelFont(const Label& label) { return LabelFont(label.FontSize, label.FontBold); }

// The lines a label shows: its caption's own lines, and in a label of fixed size
// (AutoSize false) each of them wrapped at word boundaries to the label's width. A word
// wider than the label stays whole on a line of its own, and is clipped.
std::vector<std::string> LabelLines(const Label& label, TTF_Font* font);

// The lines a label shows, and the rectangle it covers when its Left/Top are relative to
// (originX, originY).
struct LabelLayout {
    std::vector<std::string> lines;
    int lineHeight = 0;
    SDL_Rect box{};
};
LabelLayout LayOutLabel(const Label& label, TextCache& texts, int originX, int originY);
void DrawLabel(SDL_Renderer* renderer, TextCache& texts, const Label& label, int originX, int originY);

// Where the text box puts its text and caret: inside the frame, the text scrolled left
// just far enough that the caret stays in view however long the text grows.
struct TextBoxLayout {
    SDL_Rect inner{};  // inside the one-pixel frame; the text is clipped to it
    int textX = 0, textY = 0;
    int caretX = 0, caretWidth = 2;
    int lineHeight = 0;
};
TextBoxLayout LayOutTextBox(const TextBox& box, TTF_Font* font);
void DrawTextBox(SDL_Renderer* renderer, TextCache& texts, const TextBox& box);

}  // namespace tk::sdl

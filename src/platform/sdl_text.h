// Text on the window: rendered lines kept as textures, blocks of text and the level box.
#pragma once

#include <SDL.h>
#include <SDL_ttf.h>

#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "platform/window_look.h"
#include "platform/sdl_handles.h"

namespace tk::sdl {

struct TextBlock;

// Rendered lines of text, kept as textures so that drawing a text again is cheap, and the
// lines blocks wrap to, so that a frame that draws a block again does not measure it again.
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
    // The block's lines (BlockLines), valid until Trim or Clear.
    const std::vector<std::string>& Lines(const TextBlock& block, TTF_Font* font);
    // Between frames: forgets everything once the lines take kMaxBytes (the clock makes
    // new text every second).
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
    std::map<std::tuple<std::string, TTF_Font*, int>, std::vector<std::string>> wrapped_;
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

// The font a text is drawn with; null only when the machine has none.
TTF_Font* TextFont(double points, bool bold);
inline TTF_Font* TextFont(const TextLook& look) { return TextFont(look.points, look.bold); }

// A block of text in its place and style: the text's own lines ("\r\n" between them), in a
// box of fixed width each wrapped at blanks to it. A word wider than the box stays whole on
// a line of its own, and is clipped.
struct TextBlock {
    std::string text;
    TextLook look;
    Box box;  // width 0: as large as its text
};

std::vector<std::string> BlockLines(const TextBlock& block, TTF_Font* font);

// The lines a block shows and the rectangle it covers (with its outline) when its box is
// relative to (originX, originY).
struct BlockLayout {
    std::vector<std::string> lines;
    int lineHeight = 0;
    SDL_Rect box{};    // the block's own box
    SDL_Rect inked{};  // what drawing it may touch: the box and the outline round it
};
BlockLayout LayOutBlock(const TextBlock& block, TextCache& texts, int originX, int originY);
void DrawBlock(SDL_Renderer* renderer, TextCache& texts, const TextBlock& block, int originX, int originY);

// Where the level box puts its text and caret. A name longer than the box shows only the
// part round the caret, and each side where it goes on ends in "…"; only the characters
// that show are drawn.
struct LevelBoxLayout {
    SDL_Rect inner{};   // inside the one-pixel frame
    SDL_Rect window{};  // where text may show: the inner box less the padding and ellipses
    std::string shown;  // the characters that show, whole or cut by the window
    int shownX = 0, textY = 0;
    bool cutLeft = false, cutRight = false;
    int caretX = 0, caretWidth = 2;
    int textX = 0;          // where the whole text would start, shown or not
    std::vector<int> edge;  // where each character starts and the last one ends, from textX
    int lineHeight = 0;
};
LevelBoxLayout LayOutLevelBox(const LevelBoxView& box, TTF_Font* font);
// The caret a click at window x gives: the nearest edge between characters that show.
int LevelBoxCaretAt(const LevelBoxView& box, int x);
void DrawLevelBox(SDL_Renderer* renderer, const LevelBoxView& box);

}  // namespace tk::sdl

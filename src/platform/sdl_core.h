// The drawing core both platforms share: pictures, the board's drawing surface, text and window composition.
#pragma once

#include <SDL.h>
#include <SDL_ttf.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "platform/controls.h"
#include "platform/platform.h"

namespace tk::sdl {

// Every label and the text box use this family; fontconfig substitutes where it is absent.
inline constexpr const char* kTextFamily = "Trebuchet MS";

// Decoded pictures by handle, with a texture per renderer made on first use.
// Handles are never reused, so a stale handle can only ever draw nothing.
class PictureTable {
public:
    PictureTable() = default;
    ~PictureTable();
    PictureTable(const PictureTable&) = delete;
    PictureTable& operator=(const PictureTable&) = delete;

    // Test runs load the same files over and over: with sharing on, a file decoded
    // once (same real path, size and time) is reused by every table in the process.
    void ShareDecoded(bool on) { share_ = on; }
    PictureHandle LoadFile(const std::string& path);                        // 0 when unreadable
    PictureHandle LoadMemory(const unsigned char* data, std::size_t size);  // 0 when unreadable
    void Dispose(PictureHandle image);  // 0, unknown and already disposed handles are ignored
    SDL_Surface* Surface(PictureHandle image) const;  // ARGB8888, or null
    SDL_Texture* Texture(PictureHandle image, SDL_Renderer* renderer);
    // Drops the textures made for a renderer that is going away or lost its device.
    void ForgetRenderer(SDL_Renderer* renderer);
    int Live() const { return static_cast<int>(pictures_.size()); }

private:
    struct Entry {
        SDL_Surface* surface = nullptr;
        bool opaque = false;  // no transparency at all: copied without blending
        std::map<SDL_Renderer*, SDL_Texture*> textures;
    };
    PictureHandle Adopt(SDL_Surface* decoded);
    PictureHandle Keep(SDL_Surface* argb, bool opaque);

    std::map<PictureHandle, Entry> pictures_;
    PictureHandle next_ = 1;
    bool share_ = false;
};

// A 2-D affine transform for column vectors: x' = a·x + c·y + tx, y' = b·x + d·y + ty.
struct Affine {
    double a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;
    void PrependTranslate(double dx, double dy);
    void PrependRotate(double degrees);  // positive turns clockwise on screen (y grows downward)
    void Map(double x, double y, double& ox, double& oy) const;
};

// The board's drawing surface over a renderer. `target` names the texture that holds
// the persistent image (null: the renderer draws straight into its own surface).
class RendererGraphics : public Graphics {
public:
    RendererGraphics(SDL_Renderer* renderer, PictureTable& pictures,
                     std::function<SDL_Texture*()> target);
    void SetPageUnit(int) override {}
    void DrawImageRect(PictureHandle image, float x, float y, float width, float height) override;
    void DrawImageRectRect(PictureHandle image, float dstX, float dstY, float dstWidth,
                           float dstHeight, float srcX, float srcY, float srcWidth,
                           float srcHeight) override;
    void TranslateWorldTransform(float dx, float dy) override;
    void RotateWorldTransform(float degrees) override;
    void ResetWorldTransform() override;

    const Affine& Transform() const { return m_; }

private:
    void Draw(PictureHandle image, const SDL_Rect* src, double x, double y, double w, double h);

    SDL_Renderer* renderer_;
    PictureTable& pictures_;
    std::function<SDL_Texture*()> target_;
    Affine m_;
};

// A drawing surface that draws nothing (fast play-throughs).
class NullGraphics : public Graphics {
public:
    void SetPageUnit(int) override {}
    void DrawImageRect(PictureHandle, float, float, float, float) override {}
    void DrawImageRectRect(PictureHandle, float, float, float, float, float, float, float,
                           float) override {}
    void TranslateWorldTransform(float, float) override {}
    void RotateWorldTransform(float) override {}
    void ResetWorldTransform() override {}
};

// Rendered lines of text, kept as textures so that composing 50 times a second is cheap.
class TextCache {
public:
    struct Line {
        SDL_Texture* texture = nullptr;
        int w = 0, h = 0;
    };
    explicit TextCache(SDL_Renderer* renderer) : renderer_(renderer) {}
    ~TextCache();
    TextCache(const TextCache&) = delete;
    TextCache& operator=(const TextCache&) = delete;

    // A frame's lines take a few megabytes; past this the cache starts afresh.
    static constexpr std::size_t kMaxBytes = 32u << 20;

    // The line stays valid until Trim or Clear.
    const Line& Get(const std::string& text, TTF_Font* font, Rgb colour);
    void Trim();  // between frames: drops everything once the lines take kMaxBytes
    void Clear();
    std::size_t Bytes() const { return bytes_; }  // the lines' pixels and keys, roughly

private:
    SDL_Renderer* renderer_;
    std::map<std::tuple<std::string, TTF_Font*, std::uint32_t>, Line> lines_;
    std::size_t bytes_ = 0;
};

// Splits a caption into its lines at "\r\n" (a lone "\n" also ends a line).
std::vector<std::string> SplitLines(const std::string& caption);

// The font a label's text is drawn with; null only on a machine without fonts.
TTF_Font* LabelFont(const Label& label);
// The lines a label shows: its caption's own lines, and in a label of fixed size
// (AutoSize false) each of them wrapped at word boundaries to the label's width. A word
// wider than the label stays whole on a line of its own, and is clipped.
std::vector<std::string> LabelLines(const Label& label, TTF_Font* font);

// Draws a label whose Left/Top are relative to (originX, originY).
void DrawLabel(SDL_Renderer* renderer, TextCache& texts, const Label& label, int originX,
               int originY);
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

// Composes the whole 800 × 600 window into the renderer's current target.
// `game` holds picGame's persistent image; `drawHelp` paints the help view.
void ComposeWindow(SDL_Renderer* renderer, const Controls& controls, PictureTable& pictures,
                   TextCache& texts, SDL_Texture* game,
                   const std::function<void(const BrowserView&, const SDL_Rect&)>& drawHelp);

// ---- editing the text box and scrolling the help view -------------------------
// Caret keys and deletion; true when the key was one of them.
bool TextBoxKey(TextBox& box, int vkCode);
// Inserts typed text at the caret. Spaces and control characters are never typed:
// Space accepts the entry.
void TextBoxType(TextBox& box, const std::string& utf8);
// Up/Down by 40 px, Page Up/Down by a page, clamped to the page; true when it scrolled
// or was a scrolling key.
bool HelpScrollKey(BrowserView& view, int vkCode, int contentHeight);

// ---- what both platforms do with an event ----------------------------------------
// A key-down goes to the game first; a key it leaves alone then edits the shown text box
// or scrolls the shown help view (whose page is `helpHeight` pixels tall).
void DeliverKeyDown(EventSink* sink, Controls* controls, int vkCode, int shift,
                    const std::function<int(const BrowserView&)>& helpHeight);
// True once per due tick of an enabled timer. The next tick falls on the next whole
// interval after `now`: ticks that fell due while events were held back are not stacked.
bool TakeTimerTick(Timer& timer, std::uint64_t now);

}  // namespace tk::sdl

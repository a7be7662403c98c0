// Blocks of text and the level box drawn with SDL_ttf, and the cache of their rendered lines.
#include "platform/sdl_text.h"

#include <algorithm>
#include <cstdlib>

#include "platform/fonts.h"
#include "puzzle/text_lines.h"
#include "puzzle/utf8.h"

namespace tk::sdl {

// ---- rendered lines -----------------------------------------------------------

void TextCache::Trim() {
    if (bytes_ > kMaxBytes) Clear();
}

void TextCache::Clear() {
    lines_.clear();
    wrapped_.clear();
    bytes_ = 0;
}

const std::vector<std::string>& TextCache::Lines(const TextBlock& block, TTF_Font* font) {
    auto key = std::make_tuple(block.text, font, block.box.width);
    auto it = wrapped_.find(key);
    if (it == wrapped_.end()) {
        it = wrapped_.emplace(std::move(key), BlockLines(block, font)).first;
        bytes_ += 2 * block.text.size() + 64;
    }
    return it->second;
}

const TextCache::Line& TextCache::Get(const std::string& text, TTF_Font* font, Rgb colour) {
    const std::uint32_t rgb = (colour.r << 16) | (colour.g << 8) | colour.b;
    const auto key = std::make_tuple(text, font, rgb);
    if (auto it = lines_.find(key); it != lines_.end()) return it->second.line;
    Entry kept;
    Line& line = kept.line;
    // A line whose pixels alone would overflow the cache (a title of a hundred thousand
    // letters) is measured but not drawn: no box on the window could show it anyway.
    const bool measured = font && !text.empty() && TTF_SizeUTF8(font, text.c_str(), &line.w, &line.h) == 0;
    if (measured && static_cast<std::size_t>(line.w) * static_cast<std::size_t>(line.h) * 4 <= kMaxBytes / 2) {
        SurfaceHandle s(TTF_RenderUTF8_Blended(font, text.c_str(), SDL_Color{colour.r, colour.g, colour.b, 255}));
        if (s) {
            kept.texture.reset(SDL_CreateTextureFromSurface(renderer_, s.get()));
            if (kept.texture) SDL_SetTextureBlendMode(kept.texture.get(), SDL_BLENDMODE_BLEND);
            line = Line{kept.texture.get(), s->w, s->h};
        }
    }
    // The texture's pixels, and the key and the entry beside them.
    if (line.texture) bytes_ += static_cast<std::size_t>(line.w) * static_cast<std::size_t>(line.h) * 4;
    bytes_ += text.size() + 64;
    return lines_.emplace(key, std::move(kept)).first->second.line;
}

// ---- drawing helpers -------------------------------------------------------------

ClipGuard::ClipGuard(SDL_Renderer* r, SDL_Rect rect) : r_(r) {
    had_ = SDL_RenderIsClipEnabled(r) == SDL_TRUE;
    if (had_) {
        SDL_RenderGetClipRect(r, &old_);
        SDL_Rect both;
        if (!SDL_IntersectRect(&old_, &rect, &both)) both = SDL_Rect{0, 0, 0, 0};
        rect = both;
    }
    empty_ = rect.w <= 0 || rect.h <= 0;
    SDL_RenderSetClipRect(r, &rect);
}

ClipGuard::~ClipGuard() { SDL_RenderSetClipRect(r_, had_ ? &old_ : nullptr); }

void FillRect(SDL_Renderer* r, const SDL_Rect& rect, Rgb c) {
    SDL_SetRenderDrawBlendMode(r, SDL_BLENDMODE_NONE);
    SDL_SetRenderDrawColor(r, c.r, c.g, c.b, 255);
    SDL_RenderFillRect(r, &rect);
}

TTF_Font* TextFont(double points, bool bold) { return GetFont(look::kFontFamily, bold, false, points); }

namespace {

void CopyText(SDL_Renderer* r, const TextCache::Line& line, int x, int y) {
    if (!line.texture) return;
    const SDL_Rect dst{x, y, line.w, line.h};
    SDL_RenderCopy(r, line.texture, nullptr, &dst);
}

int TextWidth(TTF_Font* font, const std::string& text) {
    int w = 0;
    if (font && !text.empty()) TTF_SizeUTF8(font, text.c_str(), &w, nullptr);
    return w;
}

}  // namespace

// ---- blocks of text and the level box ----------------------------------------------

namespace {

// Greedy wrapping at blanks: blanks at a break go, blanks inside a line and before its
// first word (the options screen indents its level line) stay.
void WrapLine(const std::string& line, TTF_Font* font, int width, std::vector<std::string>& out) {
    if (TextWidth(font, line) <= width) {
        out.push_back(line);
        return;
    }
    std::size_t lineStart = 0, lineEnd = 0;  // the words taken so far: [lineStart, lineEnd)
    bool hasWord = false;
    std::size_t pos = 0;
    while (pos < line.size()) {
        const std::size_t wordStart = line.find_first_not_of(' ', pos);
        if (wordStart == std::string::npos) break;
        std::size_t wordEnd = line.find(' ', wordStart);
        if (wordEnd == std::string::npos) wordEnd = line.size();
        if (hasWord && TextWidth(font, line.substr(lineStart, wordEnd - lineStart)) > width) {
            out.push_back(line.substr(lineStart, lineEnd - lineStart));
            lineStart = wordStart;
        }
        lineEnd = wordEnd;
        hasWord = true;
        pos = wordEnd;
    }
    out.push_back(line.substr(lineStart, lineEnd - lineStart));
}

}  // namespace

std::vector<std::string> BlockLines(const TextBlock& block, TTF_Font* font) {
    std::vector<std::string> lines;
    int total = 0;
    for (std::string_view line : splitLines(block.text, 1 << 20, total)) lines.emplace_back(line);
    if (block.box.width == 0 || !font) return lines;
    std::vector<std::string> wrapped;
    for (const std::string& line : lines) WrapLine(line, font, block.box.width, wrapped);
    return wrapped;
}

BlockLayout LayOutBlock(const TextBlock& block, TextCache& texts, int originX, int originY) {
    BlockLayout layout;
    TTF_Font* font = TextFont(block.look);
    layout.lines = texts.Lines(block, font);
    layout.lineHeight = font ? TTF_FontLineSkip(font) : 0;
    int w = block.box.width, h = block.box.height;
    if (w == 0) {
        for (const std::string& line : layout.lines) w = std::max(w, texts.Get(line, font, block.look.colour).w);
        h = layout.lineHeight * static_cast<int>(layout.lines.size());
    }
    layout.box = SDL_Rect{originX + block.box.left, originY + block.box.top, w, h};
    const int ring = block.look.outlined ? block.look.outlineWidth : 0;
    layout.inked = SDL_Rect{layout.box.x - ring, layout.box.y - ring, w + 2 * ring, h + 2 * ring};
    return layout;
}

namespace {

// The block's lines in one colour, each clipped to the block's box moved by (dx, dy).
void DrawLines(SDL_Renderer* r, TextCache& texts, const TextBlock& block, const BlockLayout& layout, Rgb colour,
               int dx, int dy) {
    SDL_Rect box = layout.box;
    box.x += dx;
    box.y += dy;
    ClipGuard clip(r, box);
    if (clip.Empty()) return;
    TTF_Font* font = TextFont(block.look);
    for (std::size_t i = 0; i < layout.lines.size(); ++i) {
        const TextCache::Line& line = texts.Get(layout.lines[i], font, colour);
        int x = box.x;
        if (block.look.align == Align::Center) x = box.x + (box.w - line.w) / 2;
        if (block.look.align == Align::Right) x = box.x + box.w - line.w;
        CopyText(r, line, x, box.y + static_cast<int>(i) * layout.lineHeight);
    }
}

}  // namespace

void DrawBlock(SDL_Renderer* r, TextCache& texts, const TextBlock& block, int originX, int originY) {
    const BlockLayout layout = LayOutBlock(block, texts, originX, originY);
    if (layout.box.w <= 0 || layout.box.h <= 0) return;
    if (block.look.grounded) FillRect(r, layout.box, block.look.ground);
    if (block.look.outlined) {
        // The ring: four copies shifted diagonally, drawn beneath the face.
        const int d = block.look.outlineWidth;
        for (const auto& [dx, dy] : {std::pair{-d, d}, std::pair{d, -d}, std::pair{d, d}, std::pair{-d, -d}})
            DrawLines(r, texts, block, layout, block.look.outline, dx, dy);
    }
    DrawLines(r, texts, block, layout, block.look.colour, 0, 0);
}

LevelBoxLayout LayOutLevelBox(const LevelBoxView& box, TTF_Font* font) {
    constexpr int kPad = 4;
    const Box& place = look::kLevelBox;
    LevelBoxLayout l;
    l.inner = SDL_Rect{place.left + 1, place.top + 1, place.width - 2, place.height - 2};
    l.lineHeight = font ? TTF_FontHeight(font) : 0;
    l.textY = l.inner.y + (l.inner.h - l.lineHeight) / 2;
    const int length = utf8Length(box.text);
    const int caret = std::clamp(box.caret, 0, length);
    // Where each character starts and the last one ends, in pixels of the whole text.
    std::vector<int>& edge = l.edge;
    edge.assign(static_cast<std::size_t>(length) + 1, 0);
    for (int i = 1; i <= length; ++i)
        edge[static_cast<std::size_t>(i)] = TextWidth(font, box.text.substr(0, utf8Offset(box.text, i)));
    const int left = l.inner.x + kPad, right = l.inner.x + l.inner.w - kPad;
    const int ellipsis = TextWidth(font, "…");
    const int caretAt = edge[static_cast<std::size_t>(caret)];
    const int total = edge.back();
    // The text starts at the left, unless the caret would then pass the right end: it
    // scrolls left just far enough that the caret stands at the right end. A side where
    // the text goes on gives up room for an ellipsis.
    int textX = left;
    l.cutRight = textX + total > right - l.caretWidth;
    if (textX + caretAt > right - l.caretWidth - (l.cutRight ? ellipsis : 0)) {
        l.cutRight = caretAt < total;
        textX = right - l.caretWidth - (l.cutRight ? ellipsis : 0) - caretAt;
    }
    l.cutLeft = textX < left;
    const int windowLeft = left + (l.cutLeft ? ellipsis : 0);
    const int windowRight = right - (l.cutRight ? ellipsis : 0);
    l.window = SDL_Rect{windowLeft, l.inner.y, std::max(0, windowRight - windowLeft), l.inner.h};
    l.caretX = textX + caretAt;
    // Only the characters that reach into the window are drawn.
    int first = 0, last = length;
    while (first < length && textX + edge[static_cast<std::size_t>(first) + 1] <= windowLeft) ++first;
    while (last > first && textX + edge[static_cast<std::size_t>(last) - 1] >= windowRight) --last;
    const std::size_t from = utf8Offset(box.text, first);
    l.shown = box.text.substr(from, utf8Offset(box.text, last) - from);
    l.shownX = textX + edge[static_cast<std::size_t>(first)];
    l.textX = textX;
    return l;
}

int LevelBoxCaretAt(const LevelBoxView& box, int x) {
    TTF_Font* font = TextFont(look::LevelBoxText());
    const LevelBoxLayout l = LayOutLevelBox(box, font);
    const std::vector<int>& edge = l.edge;
    const int length = static_cast<int>(edge.size()) - 1;
    const int textX = l.textX;
    // A click on an ellipsis or beyond stops at the last edge that shows on that side.
    const int at = std::clamp(x, l.window.x, l.window.x + l.window.w);
    int best = std::clamp(box.caret, 0, length);
    int bestDistance = std::abs(textX + edge[static_cast<std::size_t>(best)] - at);
    for (int i = 0; i <= length; ++i) {
        const int edgeX = textX + edge[static_cast<std::size_t>(i)];
        if (edgeX < l.window.x - 1 || edgeX > l.window.x + l.window.w + 1) continue;
        const int distance = std::abs(edgeX - at);
        if (distance < bestDistance || (distance == bestDistance && i < best)) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

void DrawLevelBox(SDL_Renderer* r, const LevelBoxView& box) {
    if (!box.shown) return;
    const Box& place = look::kLevelBox;
    FillRect(r, SDL_Rect{place.left, place.top, place.width, place.height}, look::kLevelBoxFrame);
    const TextLook text = look::LevelBoxText();
    TTF_Font* font = TextFont(text);
    const LevelBoxLayout l = LayOutLevelBox(box, font);
    FillRect(r, l.inner, look::kLevelBoxPaper);
    ClipGuard clip(r, l.inner);
    if (clip.Empty() || !font) return;
    const SDL_Color ink{text.colour.r, text.colour.g, text.colour.b, 255};
    // Drawn afresh, never kept: every key typed makes a new line, and none is seen twice.
    auto draw = [&](const std::string& line, int x) {
        if (line.empty()) return;
        SurfaceHandle s(TTF_RenderUTF8_Blended(font, line.c_str(), ink));
        if (!s) return;
        TextureHandle t(SDL_CreateTextureFromSurface(r, s.get()));
        if (!t) return;
        SDL_SetTextureBlendMode(t.get(), SDL_BLENDMODE_BLEND);
        const SDL_Rect dst{x, l.textY, s->w, s->h};
        SDL_RenderCopy(r, t.get(), nullptr, &dst);
    };
    {
        ClipGuard window(r, l.window);
        if (!window.Empty()) draw(l.shown, l.shownX);
    }
    if (l.cutLeft) draw("…", l.window.x - TextWidth(font, "…"));
    if (l.cutRight) draw("…", l.window.x + l.window.w);
    FillRect(r, SDL_Rect{l.caretX, l.textY + 2, l.caretWidth, std::max(1, l.lineHeight - 4)}, text.colour);
}

}  // namespace tk::sdl

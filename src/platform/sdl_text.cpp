// Labels and the text box drawn with SDL_ttf, and the cache of their rendered lines.
#include "platform/sdl_text.h"

#include <algorithm>

#include "platform/fonts.h"
#include "puzzle/text_lines.h"
#include "puzzle/utf8.h"

namespace tk::sdl {

// ---- rendered lines -----------------------------------------------------------

void TextCache::Trim() {
    constexpr std::size_t kMostBytes = 8u << 20;
    if (bytes_ > kMostBytes) Clear();
}

void TextCache::Clear() {
    lines_.clear();
    bytes_ = 0;
}

const TextCache::Line& TextCache::Get(const std::string& text, TTF_Font* font, Rgb colour) {
    const std::uint32_t rgb = (colour.r << 16) | (colour.g << 8) | colour.b;
    const auto key = std::make_tuple(text, font, rgb);
    if (auto it = lines_.find(key); it != lines_.end()) return it->second.line;
    Kept kept;
    if (font && !text.empty()) {
        SurfaceHandle s(TTF_RenderUTF8_Blended(font, text.c_str(), SDL_Color{colour.r, colour.g, colour.b, 255}));
        if (s) {
            kept.texture.reset(SDL_CreateTextureFromSurface(renderer_, s.get()));
            if (kept.texture) SDL_SetTextureBlendMode(kept.texture.get(), SDL_BLENDMODE_BLEND);
            kept.line = Line{kept.texture.get(), s->w, s->h};
            bytes_ += static_cast<std::size_t>(s->w) * static_cast<std::size_t>(s->h) * 4;
        }
    }
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

TTF_Font* LabelFont(double points, bool bold) { return GetFont(kTextFamily, bold, false, points); }

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

// ---- labels and the text box -------------------------------------------------------

LabelLayout LayOutLabel(const Label& label, TextCache& texts, int originX, int originY) {
    LabelLayout layout;
    TTF_Font* font = LabelFont(label.FontSize, label.FontBold);
    int total = 0;
    for (std::string_view line : splitLines(label.Caption, 1 << 20, total)) layout.lines.emplace_back(line);
    layout.lineHeight = font ? TTF_FontLineSkip(font) : 0;
    int w = label.Width, h = label.Height;
    if (label.AutoSize) {
        w = 0;
        for (const std::string& line : layout.lines) w = std::max(w, texts.Get(line, font, label.ForeColor).w);
        h = layout.lineHeight * static_cast<int>(layout.lines.size());
    }
    layout.box = SDL_Rect{originX + label.Left, originY + label.Top, w, h};
    return layout;
}

void DrawLabel(SDL_Renderer* r, TextCache& texts, const Label& label, int originX, int originY) {
    if (!label.Visible) return;
    const LabelLayout layout = LayOutLabel(label, texts, originX, originY);
    const SDL_Rect& box = layout.box;
    if (box.w <= 0 || box.h <= 0) return;
    if (label.BackOpaque) FillRect(r, box, label.BackColor);
    ClipGuard clip(r, box);
    if (clip.Empty()) return;
    TTF_Font* font = LabelFont(label.FontSize, label.FontBold);
    for (std::size_t i = 0; i < layout.lines.size(); ++i) {
        const TextCache::Line& line = texts.Get(layout.lines[i], font, label.ForeColor);
        int x = box.x;
        if (label.Alignment == Align::Center) x = box.x + (box.w - line.w) / 2;
        if (label.Alignment == Align::Right) x = box.x + box.w - line.w;
        CopyText(r, line, x, box.y + static_cast<int>(i) * layout.lineHeight);
    }
}

void DrawTextBox(SDL_Renderer* r, TextCache& texts, const TextBox& box) {
    if (!box.Visible) return;
    const SDL_Rect frame{box.Left, box.Top, box.Width, box.Height};
    FillRect(r, frame, Rgb{128, 128, 128});
    const SDL_Rect inner{frame.x + 1, frame.y + 1, frame.w - 2, frame.h - 2};
    FillRect(r, inner, Rgb{255, 255, 255});
    TTF_Font* font = LabelFont(box.FontSize, box.FontBold);
    ClipGuard clip(r, inner);
    if (clip.Empty() || !font) return;
    const int lineH = TTF_FontHeight(font);
    const int x = inner.x + 4, y = inner.y + (inner.h - lineH) / 2;
    CopyText(r, texts.Get(box.Text, font, Rgb{0, 0, 0}), x, y);
    const int caret = std::clamp(box.SelStart, 0, utf8Length(box.Text));
    const int caretX = TextWidth(font, box.Text.substr(0, utf8Offset(box.Text, caret)));
    FillRect(r, SDL_Rect{x + caretX, y + 2, 2, std::max(1, lineH - 4)}, Rgb{0, 0, 0});
}

}  // namespace tk::sdl

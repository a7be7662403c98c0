// Labels and the text box drawn with SDL_ttf, and the cache of their rendered lines.
#include "platform/sdl_text.h"

#include <algorithm>

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
    bytes_ = 0;
}

const TextCache::Line& TextCache::Get(const std::string& text, TTF_Font* font, Rgb colour) {
    const std::uint32_t rgb = (colour.r << 16) | (colour.g << 8) | colour.b;
    const auto key = std::make_tuple(text, font, rgb);
    if (auto it = lines_.find(key); it != lines_.end()) return it->second.line;
    Entry kept;
    Line& line = kept.line;
    // A line whose pixels alone would overflow the cache (a title of a hundred thousand
    // letters) is measured but not drawn: no label could show it anyway.
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

std::vector<std::string> LabelLines(const Label& label, TTF_Font* font) {
    std::vector<std::string> lines;
    int total = 0;
    for (std::string_view line : splitLines(label.Caption, 1 << 20, total)) lines.emplace_back(line);
    if (label.AutoSize || !font) return lines;
    std::vector<std::string> wrapped;
    for (const std::string& line : lines) WrapLine(line, font, label.Width, wrapped);
    return wrapped;
}

LabelLayout LayOutLabel(const Label& label, TextCache& texts, int originX, int originY) {
    LabelLayout layout;
    TTF_Font* font = LabelFont(label);
    layout.lines = LabelLines(label, font);
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
    TTF_Font* font = LabelFont(label);
    for (std::size_t i = 0; i < layout.lines.size(); ++i) {
        const TextCache::Line& line = texts.Get(layout.lines[i], font, label.ForeColor);
        int x = box.x;
        if (label.Alignment == Align::Center) x = box.x + (box.w - line.w) / 2;
        if (label.Alignment == Align::Right) x = box.x + box.w - line.w;
        CopyText(r, line, x, box.y + static_cast<int>(i) * layout.lineHeight);
    }
}

TextBoxLayout LayOutTextBox(const TextBox& box, TTF_Font* font) {
    constexpr int kPad = 4;
    TextBoxLayout l;
    l.inner = SDL_Rect{box.Left + 1, box.Top + 1, box.Width - 2, box.Height - 2};
    l.lineHeight = font ? TTF_FontHeight(font) : 0;
    l.textY = l.inner.y + (l.inner.h - l.lineHeight) / 2;
    const int caret = std::clamp(box.SelStart, 0, utf8Length(box.Text));
    const int caretOffset = TextWidth(font, box.Text.substr(0, utf8Offset(box.Text, caret)));
    l.textX = l.inner.x + kPad;
    const int lastCaretX = l.inner.x + l.inner.w - kPad - l.caretWidth;
    if (l.textX + caretOffset > lastCaretX) l.textX = lastCaretX - caretOffset;
    l.caretX = l.textX + caretOffset;
    return l;
}

void DrawTextBox(SDL_Renderer* r, TextCache& texts, const TextBox& box) {
    if (!box.Visible) return;
    FillRect(r, SDL_Rect{box.Left, box.Top, box.Width, box.Height}, Rgb{128, 128, 128});
    TTF_Font* font = LabelFont(box.FontSize, box.FontBold);
    const TextBoxLayout l = LayOutTextBox(box, font);
    FillRect(r, l.inner, Rgb{255, 255, 255});
    ClipGuard clip(r, l.inner);
    if (clip.Empty() || !font) return;
    CopyText(r, texts.Get(box.Text, font, Rgb{0, 0, 0}), l.textX, l.textY);
    FillRect(r, SDL_Rect{l.caretX, l.textY + 2, l.caretWidth, std::max(1, l.lineHeight - 4)}, Rgb{0, 0, 0});
}

}  // namespace tk::sdl

// Pictures, the board's drawing surface, label text and the composed window, over any SDL renderer.
#include "platform/sdl_core.h"
#include "puzzle/utf8.h"

#include <SDL_image.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <mutex>

#include "platform/fonts.h"

namespace tk::sdl {

// ---- pictures -----------------------------------------------------------------

PictureTable::~PictureTable() {
    for (auto& [handle, e] : pictures_) {
        for (auto& [r, t] : e.textures) SDL_DestroyTexture(t);
        SDL_FreeSurface(e.surface);
    }
}

namespace {

struct Decoded {
    SDL_Surface* argb = nullptr;  // null: the file could not be read
    bool opaque = false;
};

// Decodes into the one pixel layout every picture uses, so that pixel reads and
// blending are uniform.
Decoded Decode(SDL_Surface* decoded) {
    Decoded d;
    if (!decoded) return d;
    Uint32 key = 0;
    d.opaque = decoded->format->Amask == 0 && !decoded->format->palette &&
               SDL_GetColorKey(decoded, &key) != 0;
    d.argb = SDL_ConvertSurfaceFormat(decoded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(decoded);
    if (d.argb) SDL_SetSurfaceBlendMode(d.argb, SDL_BLENDMODE_BLEND);
    return d;
}

// Files decoded before, by real path, size and modification time. Each entry holds
// one reference to its surface; tables that use it take their own.
struct SharedFiles {
    std::mutex mutex;
    std::map<std::tuple<std::string, std::uintmax_t, std::int64_t>, Decoded> files;
    std::size_t bytes = 0;
    static constexpr std::size_t kMaxBytes = 96u << 20;

    ~SharedFiles() { Clear(); }
    void Clear() {
        for (auto& [key, d] : files) SDL_FreeSurface(d.argb);
        files.clear();
        bytes = 0;
    }
};

SharedFiles& Shared() {
    static SharedFiles shared;
    return shared;
}

}  // namespace

PictureHandle PictureTable::Keep(SDL_Surface* argb, bool opaque) {
    if (!argb) return 0;
    const PictureHandle h = next_++;
    pictures_[h].surface = argb;
    pictures_[h].opaque = opaque;
    return h;
}

PictureHandle PictureTable::Adopt(SDL_Surface* decoded) {
    const Decoded d = Decode(decoded);
    return Keep(d.argb, d.opaque);
}

PictureHandle PictureTable::LoadFile(const std::string& path) {
    if (path.empty()) return 0;
    if (!share_) return Adopt(IMG_Load(path.c_str()));
    std::error_code ec;
    const auto real = std::filesystem::canonical(path, ec);
    if (ec || !std::filesystem::is_regular_file(real, ec)) return 0;
    const auto size = std::filesystem::file_size(real, ec);
    const auto time = std::filesystem::last_write_time(real, ec).time_since_epoch().count();
    if (ec) return 0;
    auto& shared = Shared();
    std::lock_guard lock(shared.mutex);
    const auto key = std::make_tuple(real.string(), size, static_cast<std::int64_t>(time));
    auto it = shared.files.find(key);
    if (it == shared.files.end()) {
        const Decoded d = Decode(IMG_Load(path.c_str()));
        const std::size_t bytes = d.argb ? static_cast<std::size_t>(d.argb->pitch) * d.argb->h : 0;
        if (shared.bytes + bytes > SharedFiles::kMaxBytes) shared.Clear();
        shared.bytes += bytes;
        it = shared.files.emplace(key, d).first;
    }
    if (!it->second.argb) return 0;
    ++it->second.argb->refcount;
    return Keep(it->second.argb, it->second.opaque);
}

PictureHandle PictureTable::LoadMemory(const unsigned char* data, std::size_t size) {
    if (!data || size == 0 || size > static_cast<std::size_t>(INT32_MAX)) return 0;
    SDL_RWops* rw = SDL_RWFromConstMem(data, static_cast<int>(size));
    if (!rw) return 0;
    return Adopt(IMG_Load_RW(rw, 1));
}

void PictureTable::Dispose(PictureHandle image) {
    auto it = pictures_.find(image);
    if (it == pictures_.end()) return;
    for (auto& [r, t] : it->second.textures) SDL_DestroyTexture(t);
    SDL_FreeSurface(it->second.surface);
    pictures_.erase(it);
}

SDL_Surface* PictureTable::Surface(PictureHandle image) const {
    auto it = pictures_.find(image);
    return it == pictures_.end() ? nullptr : it->second.surface;
}

SDL_Texture* PictureTable::Texture(PictureHandle image, SDL_Renderer* renderer) {
    auto it = pictures_.find(image);
    if (it == pictures_.end() || !renderer) return nullptr;
    auto& textures = it->second.textures;
    if (auto t = textures.find(renderer); t != textures.end()) return t->second;
    SDL_Texture* tex = SDL_CreateTextureFromSurface(renderer, it->second.surface);
    if (!tex) return nullptr;
    // JPEG backgrounds fill the window and every cell: copying them is much cheaper
    // than blending, with the same result.
    SDL_SetTextureBlendMode(tex, it->second.opaque ? SDL_BLENDMODE_NONE : SDL_BLENDMODE_BLEND);
    textures[renderer] = tex;
    return tex;
}

void PictureTable::ForgetRenderer(SDL_Renderer* renderer) {
    for (auto& [handle, e] : pictures_) {
        if (auto t = e.textures.find(renderer); t != e.textures.end()) {
            SDL_DestroyTexture(t->second);
            e.textures.erase(t);
        }
    }
}

// ---- the world transform ------------------------------------------------------

void Affine::PrependTranslate(double dx, double dy) {
    tx += a * dx + c * dy;
    ty += b * dx + d * dy;
}

void Affine::PrependRotate(double degrees) {
    const double rad = degrees * M_PI / 180.0;
    const double cs = std::cos(rad), sn = std::sin(rad);
    const double na = a * cs + c * sn, nb = b * cs + d * sn;
    const double nc = -a * sn + c * cs, nd = -b * sn + d * cs;
    a = na, b = nb, c = nc, d = nd;
}

void Affine::Map(double x, double y, double& ox, double& oy) const {
    ox = a * x + c * y + tx;
    oy = b * x + d * y + ty;
}

// ---- the board's drawing surface ---------------------------------------------

RendererGraphics::RendererGraphics(SDL_Renderer* renderer, PictureTable& pictures,
                                   std::function<SDL_Texture*()> target)
    : renderer_(renderer), pictures_(pictures), target_(std::move(target)) {}

void RendererGraphics::DrawImageRect(PictureHandle image, float x, float y, float width,
                                     float height) {
    Draw(image, nullptr, x, y, width, height);
}

void RendererGraphics::DrawImageRectRect(PictureHandle image, float dstX, float dstY,
                                         float dstWidth, float dstHeight, float srcX, float srcY,
                                         float srcWidth, float srcHeight) {
    const SDL_Rect src{static_cast<int>(std::lround(srcX)), static_cast<int>(std::lround(srcY)),
                       static_cast<int>(std::lround(srcWidth)),
                       static_cast<int>(std::lround(srcHeight))};
    if (src.w <= 0 || src.h <= 0) return;
    Draw(image, &src, dstX, dstY, dstWidth, dstHeight);
}

void RendererGraphics::TranslateWorldTransform(float dx, float dy) { m_.PrependTranslate(dx, dy); }
void RendererGraphics::RotateWorldTransform(float degrees) { m_.PrependRotate(degrees); }
void RendererGraphics::ResetWorldTransform() { m_ = Affine{}; }

void RendererGraphics::Draw(PictureHandle image, const SDL_Rect* src, double x, double y,
                            double w, double h) {
    if (!image || w == 0 || h == 0) return;
    SDL_Texture* target = target_ ? target_() : nullptr;
    if (target_ && !target) return;  // the persistent image is gone (device lost)
    if (SDL_GetRenderTarget(renderer_) != target) SDL_SetRenderTarget(renderer_, target);
    SDL_Texture* tex = pictures_.Texture(image, renderer_);
    if (!tex) return;

    // The transform holds only translations and rotations (and perhaps a scale): the
    // rectangle's centre goes through it, and the picture turns about that centre.
    double cx = 0, cy = 0;
    m_.Map(x + w / 2, y + h / 2, cx, cy);
    const double sx = std::hypot(m_.a, m_.b), sy = std::hypot(m_.c, m_.d);
    const double dw = w * sx, dh = h * sy;
    const SDL_FRect dst{static_cast<float>(cx - dw / 2), static_cast<float>(cy - dh / 2),
                        static_cast<float>(dw), static_cast<float>(dh)};
    double angle = std::atan2(m_.b, m_.a) * 180.0 / M_PI;
    const bool mirrored = m_.a * m_.d - m_.b * m_.c < 0;
    const double off = std::remainder(angle, 360.0);
    if (!mirrored && std::fabs(off) < 1e-6) {
        SDL_RenderCopyF(renderer_, tex, src, &dst);
    } else {
        SDL_RenderCopyExF(renderer_, tex, src, &dst, angle, nullptr,
                          mirrored ? SDL_FLIP_VERTICAL : SDL_FLIP_NONE);
    }
}

// ---- text ---------------------------------------------------------------------

TextCache::~TextCache() { Clear(); }

void TextCache::Trim() {
    // The clock makes a new caption every second, and every key typed into the text box
    // a new line as wide as the box's text: forget everything once the lines take more
    // memory than a frame's worth, rather than grow for ever.
    if (bytes_ > kMaxBytes) Clear();
}

void TextCache::Clear() {
    for (auto& [key, line] : lines_) {
        if (line.texture) SDL_DestroyTexture(line.texture);
    }
    lines_.clear();
    bytes_ = 0;
}

const TextCache::Line& TextCache::Get(const std::string& text, TTF_Font* font, Rgb colour) {
    const std::uint32_t rgb = (colour.r << 16) | (colour.g << 8) | colour.b;
    const auto key = std::make_tuple(text, font, rgb);
    if (auto it = lines_.find(key); it != lines_.end()) return it->second;
    Line line;
    // A line whose pixels alone would overflow the cache (a title of a hundred thousand
    // letters) is measured but not drawn: no label could show it anyway.
    const bool measured = font && !text.empty() && TTF_SizeUTF8(font, text.c_str(), &line.w, &line.h) == 0;
    if (measured && static_cast<std::size_t>(line.w) * static_cast<std::size_t>(line.h) * 4 <= kMaxBytes / 2) {
        SDL_Surface* s = TTF_RenderUTF8_Blended(font, text.c_str(),
                                                SDL_Color{colour.r, colour.g, colour.b, 255});
        if (s) {
            line.texture = SDL_CreateTextureFromSurface(renderer_, s);
            if (line.texture) SDL_SetTextureBlendMode(line.texture, SDL_BLENDMODE_BLEND);
            line.w = s->w;
            line.h = s->h;
            SDL_FreeSurface(s);
        }
    }
    // The texture's pixels, and the key and the entry beside them.
    if (line.texture) bytes_ += static_cast<std::size_t>(line.w) * static_cast<std::size_t>(line.h) * 4;
    bytes_ += text.size() + 64;
    return lines_.emplace(key, line).first->second;
}

std::vector<std::string> SplitLines(const std::string& caption) {
    std::vector<std::string> lines;
    std::string cur;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        const char ch = caption[i];
        if (ch == '\r' && i + 1 < caption.size() && caption[i + 1] == '\n') continue;
        if (ch == '\n') {
            lines.push_back(cur);
            cur.clear();
        } else {
            cur += ch;
        }
    }
    lines.push_back(cur);
    return lines;
}

namespace {

void FillRect(SDL_Renderer* r, const SDL_Rect& rect, Rgb c) {
    SDL_SetRenderDrawBlendMode(r, SDL_BLENDMODE_NONE);
    SDL_SetRenderDrawColor(r, c.r, c.g, c.b, 255);
    SDL_RenderFillRect(r, &rect);
}

// Narrows the clip rectangle for as long as the guard lives.
class ClipGuard {
public:
    ClipGuard(SDL_Renderer* r, SDL_Rect rect) : r_(r) {
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
    ~ClipGuard() { SDL_RenderSetClipRect(r_, had_ ? &old_ : nullptr); }
    bool Empty() const { return empty_; }

private:
    SDL_Renderer* r_;
    SDL_Rect old_{};
    bool had_ = false;
    bool empty_ = false;
};

void CopyText(SDL_Renderer* r, const TextCache::Line& line, int x, int y) {
    if (!line.texture) return;
    const SDL_Rect dst{x, y, line.w, line.h};
    SDL_RenderCopy(r, line.texture, nullptr, &dst);
}

}  // namespace

TTF_Font* LabelFont(const Label& label) {
    return GetFont(kTextFamily, label.FontBold, false, label.FontSize);
}

namespace {

int TextWidth(TTF_Font* font, const std::string& text) {
    int w = 0;
    if (!text.empty()) TTF_SizeUTF8(font, text.c_str(), &w, nullptr);
    return w;
}

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
    std::vector<std::string> lines = SplitLines(label.Caption);
    if (label.AutoSize || !font) return lines;
    std::vector<std::string> wrapped;
    for (const std::string& line : lines) WrapLine(line, font, label.Width, wrapped);
    return wrapped;
}

void DrawLabel(SDL_Renderer* r, TextCache& texts, const Label& label, int originX, int originY) {
    if (!label.Visible) return;
    TTF_Font* font = LabelFont(label);
    const auto lines = LabelLines(label, font);
    const int lineH = font ? TTF_FontLineSkip(font) : 0;
    std::vector<const TextCache::Line*> rendered;
    int widest = 0;
    for (const auto& l : lines) {
        rendered.push_back(&texts.Get(l, font, label.ForeColor));
        widest = std::max(widest, rendered.back()->w);
    }
    const int w = label.AutoSize ? widest : label.Width;
    const int h = label.AutoSize ? lineH * static_cast<int>(lines.size()) : label.Height;
    const SDL_Rect box{originX + label.Left, originY + label.Top, w, h};
    if (box.w <= 0 || box.h <= 0) return;
    if (label.BackOpaque) FillRect(r, box, label.BackColor);
    ClipGuard clip(r, box);
    if (clip.Empty()) return;
    for (std::size_t i = 0; i < rendered.size(); ++i) {
        const int lw = rendered[i]->w;
        int x = box.x;
        if (label.Alignment == Align::Center) x = box.x + (box.w - lw) / 2;
        if (label.Alignment == Align::Right) x = box.x + box.w - lw;
        CopyText(r, *rendered[i], x, box.y + static_cast<int>(i) * lineH);
    }
}

TextBoxLayout LayOutTextBox(const TextBox& box, TTF_Font* font) {
    constexpr int kPad = 4;
    TextBoxLayout l;
    l.inner = SDL_Rect{box.Left + 1, box.Top + 1, box.Width - 2, box.Height - 2};
    l.lineHeight = font ? TTF_FontHeight(font) : 0;
    l.textY = l.inner.y + (l.inner.h - l.lineHeight) / 2;
    const int caret = std::clamp(box.SelStart, 0, utf8Length(box.Text));
    const int caretOffset = font ? TextWidth(font, box.Text.substr(0, utf8Offset(box.Text, caret))) : 0;
    l.textX = l.inner.x + kPad;
    const int lastCaretX = l.inner.x + l.inner.w - kPad - l.caretWidth;
    if (l.textX + caretOffset > lastCaretX) l.textX = lastCaretX - caretOffset;
    l.caretX = l.textX + caretOffset;
    return l;
}

void DrawTextBox(SDL_Renderer* r, TextCache& texts, const TextBox& box) {
    if (!box.Visible) return;
    const SDL_Rect frame{box.Left, box.Top, box.Width, box.Height};
    FillRect(r, frame, Rgb{128, 128, 128});
    TTF_Font* font = GetFont(kTextFamily, box.FontBold, false, box.FontSize);
    const TextBoxLayout l = LayOutTextBox(box, font);
    FillRect(r, l.inner, Rgb{255, 255, 255});
    ClipGuard clip(r, l.inner);
    if (clip.Empty() || !font) return;
    CopyText(r, texts.Get(box.Text, font, Rgb{0, 0, 0}), l.textX, l.textY);
    FillRect(r, SDL_Rect{l.caretX, l.textY + 2, l.caretWidth, std::max(1, l.lineHeight - 4)}, Rgb{0, 0, 0});
}

void ComposeWindow(SDL_Renderer* r, const Controls& c, PictureTable& pictures, TextCache& texts,
                   SDL_Texture* game,
                   const std::function<void(const BrowserView&, const SDL_Rect&)>& drawHelp) {
    texts.Trim();
    SDL_RenderSetClipRect(r, nullptr);
    SDL_SetRenderDrawBlendMode(r, SDL_BLENDMODE_NONE);
    SDL_SetRenderDrawColor(r, 0, 0, 0, 255);
    SDL_RenderClear(r);
    // The window picture sits at the top left at its own size, as a form's picture does.
    if (SDL_Texture* t = pictures.Texture(c.WindowPicture, r)) {
        const SDL_Surface* s = pictures.Surface(c.WindowPicture);
        const SDL_Rect dst{0, 0, s->w, s->h};
        SDL_RenderCopy(r, t, nullptr, &dst);
    }
    for (const Label& l : c.Label6) DrawLabel(r, texts, l, 0, 0);
    if (c.Image1.Visible) {
        if (SDL_Texture* t = pictures.Texture(c.Image1.Picture, r)) {
            const SDL_Rect dst{c.Image1.Left, c.Image1.Top, c.Image1.Width, c.Image1.Height};
            SDL_RenderCopy(r, t, nullptr, &dst);
        }
    }
    DrawLabel(r, texts, c.Label2, 0, 0);
    DrawLabel(r, texts, c.Label1, 0, 0);
    DrawLabel(r, texts, c.Label4, 0, 0);
    if (c.picGame.Visible) {
        const SDL_Rect area{c.picGame.Left, c.picGame.Top, c.picGame.Width, c.picGame.Height};
        if (game) {
            SDL_SetTextureBlendMode(game, SDL_BLENDMODE_NONE);
            SDL_RenderCopy(r, game, nullptr, &area);
        }
        ClipGuard clip(r, area);
        if (!clip.Empty()) {
            // The outline copies (1..4) lie beneath the face (0): draw from the back.
            for (int i = 4; i >= 0; --i) DrawLabel(r, texts, c.Label5[i], area.x, area.y);
        }
    }
    DrawTextBox(r, texts, c.Text2);
    if (c.wbHelp.Visible) {
        const SDL_Rect view{c.wbHelp.Left, c.wbHelp.Top, c.wbHelp.Width, c.wbHelp.Height};
        FillRect(r, view, Rgb{255, 255, 255});
        if (drawHelp) {
            ClipGuard clip(r, view);
            if (!clip.Empty()) drawHelp(c.wbHelp, view);
        }
    }
}

// ---- text box and help view keys ---------------------------------------------

bool TextBoxKey(TextBox& box, int vkCode) {
    const int len = utf8Length(box.Text);
    box.SelStart = std::clamp(box.SelStart, 0, len);
    switch (vkCode) {
        case vk::Left: box.SelStart = std::max(0, box.SelStart - 1); return true;
        case vk::Right: box.SelStart = std::min(len, box.SelStart + 1); return true;
        case vk::Home: box.SelStart = 0; return true;
        case vk::End: box.SelStart = len; return true;
        case vk::Back:
            if (box.SelStart > 0) {
                const std::size_t from = utf8Offset(box.Text, box.SelStart - 1);
                const std::size_t to = utf8Offset(box.Text, box.SelStart);
                box.Text.erase(from, to - from);
                --box.SelStart;
            }
            return true;
        case vk::Delete:
            if (box.SelStart < len) {
                const std::size_t from = utf8Offset(box.Text, box.SelStart);
                const std::size_t to = utf8Offset(box.Text, box.SelStart + 1);
                box.Text.erase(from, to - from);
            }
            return true;
        default: return false;
    }
}

void TextBoxType(TextBox& box, const std::string& utf8) {
    std::string clean;
    int added = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const unsigned char ch = static_cast<unsigned char>(utf8[i]);
        // Kept: a space is never typed, since Space accepts the entry.
        if (ch <= 0x20 || ch == 0x7F) continue;
        // A stray continuation byte or a cut-off sequence is not a character.
        if (ch >= 0x80 && ch < 0xC0) continue;
        const int extra = ch >= 0xF0 ? 3 : ch >= 0xE0 ? 2 : ch >= 0xC0 ? 1 : 0;
        bool ok = true;
        for (int k = 1; k <= extra; ++k) {
            if (i + k >= utf8.size() || (static_cast<unsigned char>(utf8[i + k]) & 0xC0) != 0x80) {
                ok = false;
            }
        }
        if (!ok) continue;
        // Only whole characters, and only as many as the box takes.
        if (box.MaxBytes && box.Text.size() + clean.size() + extra + 1 > box.MaxBytes) break;
        clean.append(utf8, i, static_cast<std::size_t>(extra) + 1);
        i += static_cast<std::size_t>(extra);
        ++added;
    }
    if (clean.empty()) return;
    box.SelStart = std::clamp(box.SelStart, 0, utf8Length(box.Text));
    box.Text.insert(utf8Offset(box.Text, box.SelStart), clean);
    box.SelStart += added;
}

void DeliverKeyDown(EventSink* sink, Controls* controls, int vkCode, int shift,
                    const std::function<int(const BrowserView&)>& helpHeight) {
    std::int16_t key = static_cast<std::int16_t>(vkCode), mask = static_cast<std::int16_t>(shift);
    if (sink) sink->Form_KeyDown(key, mask);
    // The handler may have swallowed the key by clearing it.
    if (key == 0 || !controls) return;
    if (controls->Text2.Visible) {
        TextBoxKey(controls->Text2, key);
    } else if (controls->wbHelp.Visible) {
        HelpScrollKey(controls->wbHelp, key, helpHeight(controls->wbHelp));
    }
}

bool TakeTimerTick(Timer& timer, std::uint64_t now) {
    if (!timer.Enabled || now < timer.dueAt) return false;
    const std::uint64_t interval = static_cast<std::uint64_t>(std::max(timer.Interval, 1));
    timer.dueAt += interval * ((now - timer.dueAt) / interval + 1);
    return true;
}

bool HelpScrollKey(BrowserView& view, int vkCode, int contentHeight) {
    int delta = 0;
    switch (vkCode) {
        case vk::Up: delta = -40; break;
        case vk::Down: delta = 40; break;
        case vk::Prior: delta = -view.Height; break;
        case vk::Next: delta = view.Height; break;
        default: return false;
    }
    const int maxScroll = std::max(0, contentHeight - view.Height);
    view.ScrollY = std::clamp(view.ScrollY + delta, 0, maxScroll);
    return true;
}

}  // namespace tk::sdl

// The help view: litehtml lays out a local page; SDL_ttf and SDL_image paint it onto any SDL renderer.
#include "platform/html_view.h"
#include "platform/geometry.h"
#include "platform/page_bounds.h"
#include "platform/sdl_handles.h"
#include "puzzle/regular_file.h"
#include "puzzle/utf8.h"

#include "platform/fonts.h"

#include <SDL_image.h>
#include <SDL_ttf.h>
#include <litehtml.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace tk {

namespace {

// The page's layout box: the help rectangle of the game window, the board's own.
constexpr int kViewHeight = kBoardHeight;
constexpr int kDefaultFontPx = 16;
// A letter taller than the view cannot be read; a page that asks for one gets this.
constexpr int kLargestFontPx = kViewHeight;
// The widest word drawn at the largest size, in pixels: many views wide.
constexpr int kLargestWordPx = 16384;
// Past this many cached words something is wrong with the page; start afresh
// rather than grow without bound.
constexpr std::size_t kTextCacheLimit = 6000;

// Only what this game's help pages need from a browser's defaults, written so a
// plain page without its own stylesheet still reads like a web page.
const char* const kMasterCss = R"css(
html { display: block; }
head, script, style, title, meta, link, template { display: none; }
body { display: block; margin: 8px; }
div, section, article, header, footer, nav, aside, main, figure, figcaption,
address, form, fieldset, center { display: block; }
p { display: block; margin-top: 1em; margin-bottom: 1em; }
h1, h2, h3, h4, h5, h6 { display: block; font-weight: bold; }
h1 { font-size: 2em; margin-top: 0.67em; margin-bottom: 0.67em; }
h2 { font-size: 1.5em; margin-top: 0.83em; margin-bottom: 0.83em; }
h3 { font-size: 1.17em; margin-top: 1em; margin-bottom: 1em; }
h4 { margin-top: 1.33em; margin-bottom: 1.33em; }
h5 { font-size: 0.83em; margin-top: 1.67em; margin-bottom: 1.67em; }
h6 { font-size: 0.67em; margin-top: 2.33em; margin-bottom: 2.33em; }
ul, ol, menu, dir { display: block; margin-top: 1em; margin-bottom: 1em; padding-left: 40px; }
ul, menu, dir { list-style-type: disc; }
ol { list-style-type: decimal; }
ul ul, ol ul { list-style-type: circle; }
ul ul, ul ol, ol ol, ol ul { margin-top: 0; margin-bottom: 0; }
li { display: list-item; }
dl { display: block; margin-top: 1em; margin-bottom: 1em; }
dt { display: block; }
dd { display: block; margin-left: 40px; }
blockquote { display: block; margin: 1em 40px; }
pre { display: block; white-space: pre; margin-top: 1em; margin-bottom: 1em; }
pre, code, kbd, samp, tt { font-family: monospace; }
hr { display: block; margin: 0.5em 0; border-top: 1px solid #808080; }
br { display: block; }
b, strong { font-weight: bold; }
i, em, cite, var, dfn, address { font-style: italic; }
u, ins { text-decoration: underline; }
s, strike, del { text-decoration: line-through; }
small, sub, sup { font-size: smaller; }
big { font-size: larger; }
sub { vertical-align: sub; }
sup { vertical-align: super; }
center { text-align: center; }
a:link { color: #0000ee; text-decoration: underline; }
table { display: table; border-collapse: separate; border-spacing: 2px; }
caption { display: table-caption; text-align: center; }
thead { display: table-header-group; vertical-align: middle; }
tbody { display: table-row-group; vertical-align: middle; }
tfoot { display: table-footer-group; vertical-align: middle; }
tr { display: table-row; vertical-align: inherit; }
td, th { display: table-cell; padding: 1px; vertical-align: inherit; }
th { font-weight: bold; text-align: center; }
col { display: table-column; }
colgroup { display: table-column-group; }
img { display: inline-block; }
)css";

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

bool ReadWholeFile(const std::string& path, std::string& out) {
    // A page or a sheet of megabytes is no help page (one byte more tells that it is
    // larger); a FIFO must not freeze the window.
    std::string why;
    return readRegularFile(path, kMostPageBytes + 1, out, why);
}

// A page refers to its pictures and stylesheet by paths relative to its own
// folder; "file://" links from a browser-made page work the same way.
std::string ResolvePath(const std::string& src, const std::string& base) {
    std::string s = src;
    if (s.rfind("file://", 0) == 0) s.erase(0, 7);
    if (s.empty() || s[0] == '/') return s;
    if (base.empty()) return s;
    const std::string folder = base.back() == '/' ? base : FolderOf(base);
    return folder + s;
}

// --- UTF-8 helpers for text-transform: Czech needs more than ASCII. ---------
std::vector<char32_t> DecodeUtf8(const std::string& s) {
    std::vector<char32_t> out;
    for (std::size_t i = 0; i < s.size();) {
        char32_t c = 0;
        const std::size_t n = decodeUtf8(s, i, c);
        out.push_back(n ? c : char32_t{0xFFFD});
        i += n ? n : 1;
    }
    return out;
}

// Latin-1 and Latin Extended-A cover every Czech letter.
char32_t ToUpper(char32_t c) {
    if (c >= 'a' && c <= 'z') return c - 32;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
    if (c >= 0x100 && c <= 0x137 && (c & 1)) return c - 1;
    if (c >= 0x139 && c <= 0x148 && !(c & 1)) return c - 1;
    if (c >= 0x14A && c <= 0x177 && (c & 1)) return c - 1;
    if (c == 0x17A || c == 0x17C || c == 0x17E) return c - 1;
    return c;
}

char32_t ToLower(char32_t c) {
    if (c >= 'A' && c <= 'Z') return c + 32;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
    if (c >= 0x100 && c <= 0x137 && !(c & 1)) return c + 1;
    if (c >= 0x139 && c <= 0x148 && (c & 1)) return c + 1;
    if (c >= 0x14A && c <= 0x177 && !(c & 1)) return c + 1;
    if (c == 0x179 || c == 0x17B || c == 0x17D) return c + 1;
    return c;
}

bool IsGenericFamily(const std::string& lower) {
    return lower == "sans-serif" || lower == "sans" || lower == "serif" || lower == "system-ui" ||
           lower == "cursive" || lower == "fantasy" || lower == "ui-sans-serif" || lower.empty();
}

// The first family of a CSS font-family list, generic names mapped to the
// game's own face.
std::string PickFamily(const char* faceName) {
    std::string list = faceName ? faceName : "";
    std::string first = list.substr(0, list.find(','));
    first.erase(std::remove(first.begin(), first.end(), '"'), first.end());
    first.erase(std::remove(first.begin(), first.end(), '\''), first.end());
    litehtml::trim(first);
    std::string lower = first;
    litehtml::lcase(lower);
    if (lower == "monospace" || lower == "ui-monospace") return "DejaVu Sans Mono";
    if (IsGenericFamily(lower)) return "Trebuchet MS";
    return first;
}

SDL_Rect ToRect(const litehtml::position& p) { return SDL_Rect{p.x, p.y, p.width, p.height}; }

bool Intersect(const SDL_Rect& a, const SDL_Rect& b, SDL_Rect& out) {
    if (SDL_IntersectRect(&a, &b, &out) == SDL_TRUE) return true;
    out = SDL_Rect{a.x, a.y, 0, 0};
    return false;
}

struct Font {
    TTF_Font* face = nullptr;
    bool underline = false;
    bool strike = false;
    bool overline = false;
    int ascent = 0;
    int descent = 0;  // positive, below the baseline
    int height = 0;
    int px = 0;
};

struct TextTexture {
    sdl::TextureHandle texture;
    int w = 0;
    int h = 0;
};

struct Picture {
    sdl::SurfaceHandle surface;  // null when the file could not be read
    sdl::TextureHandle texture;
};

}  // namespace

struct HtmlView::Impl final : public litehtml::document_container {
    struct Word {
        std::string text;
        litehtml::position pos;
    };

    litehtml::context context;
    bool masterLoaded = false;
    std::string refusal;  // why the page last given was not taken
    // What the page is made of, counting the selectors of the sheets it has linked so far.
    PageShape page;
    litehtml::document::ptr doc;
    std::string pageFolder;
    int width = 0;
    // A page read but not laid out yet: the layout waits until the page is first drawn
    // or measured, as most runs never open help and laying it out holds up start-up.
    std::string unread;
    bool waiting = false;

    // Everything below belongs to `renderer`: textures can only be drawn by the
    // renderer that made them.
    SDL_Renderer* renderer = nullptr;
    SDL_Rect viewport{0, 0, 0, 0};
    std::vector<SDL_Rect> clips;
    bool hidden = false;  // the current clip shows nothing
    long fills = 0;       // rectangles filled since the last Draw began
    std::unordered_map<std::string, TextTexture> texts;
    std::map<std::string, Picture> pictures;
    // The faces of this page, one per family, weight, slant and size: closed with the
    // page, so that a page of many sizes leaves nothing open behind it.
    std::map<std::tuple<std::string, bool, bool, int>, OwnFont> faces;

    std::vector<Word>* words = nullptr;  // set while TextLines collects instead of drawing

    ~Impl() {
        doc.reset();  // its fonts come back through delete_font while we still exist
        DropTextures();
    }

    TTF_Font* Face(const std::string& family, bool bold, bool italic, int px) {
        const auto key = std::make_tuple(family, bold, italic, px);
        if (auto it = faces.find(key); it != faces.end()) return it->second.get();
        // Sizes arrive in pixels; the font service counts points at 96 dpi.
        OwnFont face = OpenFont(family, bold, italic, px * 72.0 / 96.0);
        TTF_Font* raw = face.get();
        if (face) faces.emplace(key, std::move(face));
        return raw;
    }

    void CloseFaces() { faces.clear(); }

    void DropTextures() {
        texts.clear();
        for (auto& [path, pic] : pictures) pic.texture.reset();
        renderer = nullptr;
    }

    // The laid-out page, laid out now if it is still waiting; null when empty.
    litehtml::document* Document() {
        if (waiting) {
            waiting = false;
            if (!masterLoaded) {
                context.load_master_stylesheet(kMasterCss);
                masterLoaded = true;
            }
            doc = litehtml::document::createFromUTF8(unread.c_str(), this, &context);
            std::string().swap(unread);
            if (doc) doc->render(width);
        }
        return doc.get();
    }

    void ClearPage() {
        waiting = false;
        std::string().swap(unread);
        doc.reset();
        // Font handles die with the document, and a new page could reuse their
        // addresses: cached words keyed by them must go too.
        texts.clear();
        pictures.clear();
        pageFolder.clear();
        page = PageShape{};
        CloseFaces();
    }

    // --- drawing helpers ----------------------------------------------------
    // The view narrowed by every clip the page has set.
    SDL_Rect CurrentClip() const {
        SDL_Rect c = viewport;
        for (const auto& r : clips) Intersect(c, r, c);
        return c;
    }

    void ApplyClip() {
        const SDL_Rect c = CurrentClip();
        // Some SDL versions take an empty clip rectangle as "no clipping at all".
        hidden = c.w <= 0 || c.h <= 0;
        SDL_RenderSetClipRect(renderer, &c);
    }

    // The rows of `r` (0-based, end exclusive) that the current clip lets through: a box
    // far taller than the view must not cost a fill per row of its whole height.
    std::pair<int, int> VisibleRows(const SDL_Rect& r) const {
        const SDL_Rect c = CurrentClip();
        const long long from = std::max<long long>(0, static_cast<long long>(c.y) - r.y);
        const long long to = std::min<long long>(r.h, static_cast<long long>(c.y) + c.h - r.y);
        return {static_cast<int>(from), static_cast<int>(std::max(from, to))};
    }

    void SetColor(const litehtml::web_color& c) {
        SDL_SetRenderDrawBlendMode(renderer, c.alpha == 255 ? SDL_BLENDMODE_NONE : SDL_BLENDMODE_BLEND);
        SDL_SetRenderDrawColor(renderer, c.red, c.green, c.blue, c.alpha);
    }

    void FillRect(int x, int y, int w, int h) {
        if (w <= 0 || h <= 0) return;
        ++fills;
        SDL_Rect r{x, y, w, h};
        SDL_RenderFillRect(renderer, &r);
    }

    // Scanline fill; each corner may be an ellipse of its own.
    void FillRounded(const SDL_Rect& r, const litehtml::border_radiuses& rad) {
        auto inset = [](int row, int h, int rx, int ry, bool top) -> int {
            if (rx <= 0 || ry <= 0) return 0;
            const int dist = top ? row : h - 1 - row;
            if (dist >= ry) return 0;
            const double dy = (ry - dist - 0.5) / ry;
            return static_cast<int>(std::lround(rx - rx * std::sqrt(std::max(0.0, 1.0 - dy * dy))));
        };
        const auto [first, end] = VisibleRows(r);
        for (int row = first; row < end; ++row) {
            int left = std::max(inset(row, r.h, rad.top_left_x, rad.top_left_y, true),
                                inset(row, r.h, rad.bottom_left_x, rad.bottom_left_y, false));
            int right = std::max(inset(row, r.h, rad.top_right_x, rad.top_right_y, true),
                                 inset(row, r.h, rad.bottom_right_x, rad.bottom_right_y, false));
            FillRect(r.x + left, r.y + row, r.w - left - right, 1);
        }
    }

    // A hollow ellipse: per row, the outer span minus the inner one.
    void FillRing(const SDL_Rect& r, int thick) {
        auto halfSpan = [](double dy, double rx, double ry) {
            if (ry <= 0 || std::abs(dy) >= ry) return -1.0;
            return rx * std::sqrt(1.0 - (dy / ry) * (dy / ry));
        };
        const double cx = r.x + r.w / 2.0, cy = r.y + r.h / 2.0;
        const auto [first, end] = VisibleRows(r);
        for (int row = first; row < end; ++row) {
            const double dy = r.y + row + 0.5 - cy;
            const double outer = halfSpan(dy, r.w / 2.0, r.h / 2.0);
            if (outer < 0) continue;
            const double inner = halfSpan(dy, r.w / 2.0 - thick, r.h / 2.0 - thick);
            const int ol = static_cast<int>(std::lround(cx - outer));
            const int orr = static_cast<int>(std::lround(cx + outer));
            if (inner < 0) {
                FillRect(ol, r.y + row, orr - ol, 1);
                continue;
            }
            const int il = static_cast<int>(std::lround(cx - inner));
            const int ir = static_cast<int>(std::lround(cx + inner));
            FillRect(ol, r.y + row, il - ol, 1);
            FillRect(ir, r.y + row, orr - ir, 1);
        }
    }

    void FillEllipse(const SDL_Rect& r) {
        litehtml::border_radiuses rad;
        rad.top_left_x = rad.top_right_x = rad.bottom_left_x = rad.bottom_right_x = r.w / 2;
        rad.top_left_y = rad.top_right_y = rad.bottom_left_y = rad.bottom_right_y = r.h / 2;
        FillRounded(r, rad);
    }

    Picture* FindPicture(const std::string& src, const char* baseurl) {
        const std::string path = ResolvePath(src, baseurl && *baseurl ? baseurl : pageFolder);
        auto it = pictures.find(path);
        return it == pictures.end() ? nullptr : &it->second;
    }

    SDL_Texture* PictureTexture(Picture& pic) {
        if (!pic.surface || !renderer) return nullptr;
        if (!pic.texture) pic.texture.reset(SDL_CreateTextureFromSurface(renderer, pic.surface.get()));
        return pic.texture.get();
    }

    const TextTexture* WordTexture(const Font& font, const char* text) {
        std::string key = std::to_string(reinterpret_cast<std::uintptr_t>(&font));
        key += '\x1f';
        key += text;
        auto it = texts.find(key);
        if (it != texts.end()) return &it->second;
        if (texts.size() >= kTextCacheLimit) texts.clear();
        TextTexture entry;
        // A word too big to be seen whole in any view (thousands of letters without a
        // space, at the largest size) would take gigabytes: it is left out.
        int w = 0, h = 0;
        if (TTF_SizeUTF8(font.face, text, &w, &h) != 0 ||
            static_cast<long long>(w) * h > static_cast<long long>(kLargestWordPx) * kViewHeight)
            return &texts.emplace(std::move(key), std::move(entry)).first->second;
        // Rendered white once; the colour is applied when drawing so one texture
        // serves a word in every colour.
        if (sdl::SurfaceHandle s{TTF_RenderUTF8_Blended(font.face, text, SDL_Color{255, 255, 255, 255})}) {
            entry.texture.reset(SDL_CreateTextureFromSurface(renderer, s.get()));
            entry.w = s->w;
            entry.h = s->h;
            if (entry.texture) SDL_SetTextureBlendMode(entry.texture.get(), SDL_BLENDMODE_BLEND);
        }
        return &texts.emplace(std::move(key), std::move(entry)).first->second;
    }

    void DrawWord(const Font& font, const std::string& text, const litehtml::web_color& color, int x, int top) {
        const TextTexture* t = WordTexture(font, text.c_str());
        if (!t || !t->texture) return;
        SDL_SetTextureColorMod(t->texture.get(), color.red, color.green, color.blue);
        SDL_SetTextureAlphaMod(t->texture.get(), color.alpha);
        SDL_Rect dst{x, top, t->w, t->h};
        SDL_RenderCopy(renderer, t->texture.get(), nullptr, &dst);
    }

    // --- litehtml::document_container --------------------------------------
    litehtml::uint_ptr create_font(const litehtml::tchar_t* faceName, int size, int weight,
                                   litehtml::font_style italic, unsigned int decoration,
                                   litehtml::font_metrics* fm) override {
        if (!TTF_WasInit()) TTF_Init();
        const int px = std::clamp(size, 1, kLargestFontPx);
        TTF_Font* face = Face(PickFamily(faceName), weight >= 600, italic == litehtml::fontStyleItalic, px);
        if (!face) return 0;
        auto* f = new Font;
        f->face = face;
        f->px = px;
        f->underline = decoration & litehtml::font_decoration_underline;
        f->strike = decoration & litehtml::font_decoration_linethrough;
        f->overline = decoration & litehtml::font_decoration_overline;
        f->ascent = TTF_FontAscent(face);
        f->descent = -TTF_FontDescent(face);
        f->height = TTF_FontHeight(face);
        if (fm) {
            fm->ascent = f->ascent;
            fm->descent = f->descent;
            fm->height = f->height;
            int minx = 0, maxx = 0, miny = 0, maxy = 0, advance = 0;
            fm->x_height = TTF_GlyphMetrics32(face, 'x', &minx, &maxx, &miny, &maxy, &advance) == 0
                               ? maxy
                               : f->ascent / 2;
            // Spaces must be drawn where a line runs under or through them.
            fm->draw_spaces = italic == litehtml::fontStyleItalic || decoration != 0;
        }
        return reinterpret_cast<litehtml::uint_ptr>(f);
    }

    void delete_font(litehtml::uint_ptr hFont) override { delete reinterpret_cast<Font*>(hFont); }

    int text_width(const litehtml::tchar_t* text, litehtml::uint_ptr hFont) override {
        const auto* f = reinterpret_cast<const Font*>(hFont);
        if (!f || !text || !*text) return 0;
        int w = 0, h = 0;
        if (TTF_SizeUTF8(f->face, text, &w, &h) != 0) return 0;
        return w;
    }

    void draw_text(litehtml::uint_ptr, const litehtml::tchar_t* text, litehtml::uint_ptr hFont,
                   litehtml::web_color color, const litehtml::position& pos) override {
        const auto* f = reinterpret_cast<const Font*>(hFont);
        if (words && text && std::string_view(text).find_first_not_of(" \t\n") != std::string_view::npos) {
            words->push_back({text, pos});
            return;
        }
        if (!f || !text || !renderer || hidden) return;
        const int baseline = pos.y + pos.height - f->descent;
        const int top = baseline - f->ascent;
        if (*text) DrawWord(*f, text, color, pos.x, top);
        if (f->underline || f->strike || f->overline) {
            const int thick = std::max(1, f->px / 14);
            SetColor(color);
            if (f->underline) FillRect(pos.x, baseline + std::max(1, f->descent / 3), pos.width, thick);
            if (f->strike) FillRect(pos.x, baseline - f->ascent / 3, pos.width, thick);
            if (f->overline) FillRect(pos.x, top, pos.width, thick);
        }
    }

    int pt_to_px(int pt) const override { return static_cast<int>(std::lround(pt * 96.0 / 72.0)); }
    int get_default_font_size() const override { return kDefaultFontPx; }
    const litehtml::tchar_t* get_default_font_name() const override { return "Trebuchet MS"; }

    void draw_list_marker(litehtml::uint_ptr, const litehtml::list_marker& marker) override {
        if (!renderer || hidden) return;
        if (!marker.image.empty()) {
            if (Picture* pic = FindPicture(marker.image, marker.baseurl)) {
                if (SDL_Texture* t = PictureTexture(*pic)) {
                    SDL_Rect dst{marker.pos.x, marker.pos.y, pic->surface->w, pic->surface->h};
                    SDL_RenderCopy(renderer, t, nullptr, &dst);
                    return;
                }
            }
        }
        SDL_Rect r = ToRect(marker.pos);
        SetColor(marker.color);
        switch (marker.marker_type) {
            case litehtml::list_style_type_none:
                return;
            case litehtml::list_style_type_square:
                FillRect(r.x, r.y, r.w, r.h);
                return;
            case litehtml::list_style_type_circle:
                FillRing(r, std::max(1, r.w / 5));
                return;
            case litehtml::list_style_type_disc:
                FillEllipse(r);
                return;
            default: {
                // Numbered kinds normally draw their own text; should one reach
                // us, a plain number is better than nothing.
                const auto* f = reinterpret_cast<const Font*>(marker.font);
                if (f && marker.index > 0) {
                    const std::string text = std::to_string(marker.index) + ".";
                    DrawWord(*f, text, marker.color, r.x, r.y + r.h - f->height);
                } else {
                    FillEllipse(r);
                }
                return;
            }
        }
    }

    void load_image(const litehtml::tchar_t* src, const litehtml::tchar_t* baseurl, bool) override {
        if (!src || !*src) return;
        const std::string path = ResolvePath(src, baseurl && *baseurl ? baseurl : pageFolder);
        if (pictures.count(path)) return;
        // A missing picture is remembered as missing, so the layout is asked once.
        pictures.emplace(path, Picture{sdl::SurfaceHandle(IMG_Load(path.c_str())), nullptr});
    }

    void get_image_size(const litehtml::tchar_t* src, const litehtml::tchar_t* baseurl,
                        litehtml::size& sz) override {
        sz.width = sz.height = 0;
        if (!src) return;
        if (Picture* pic = FindPicture(src, baseurl); pic && pic->surface) {
            sz.width = pic->surface->w;
            sz.height = pic->surface->h;
        }
    }

    void draw_background(litehtml::uint_ptr, const litehtml::background_paint& bg) override {
        if (!renderer || hidden) return;
        SDL_Rect area = ToRect(bg.clip_box);
        if (bg.is_root) {
            // Like a browser's canvas, the root colour fills the whole view, also
            // below a page shorter than the view.
            area = viewport;
        }
        if (bg.color.alpha > 0) {
            SetColor(bg.color);
            const auto& rad = bg.border_radius;
            const bool rounded = !bg.is_root && (rad.top_left_x || rad.top_right_x || rad.bottom_left_x ||
                                                 rad.bottom_right_x);
            if (rounded)
                FillRounded(area, rad);
            else
                FillRect(area.x, area.y, area.w, area.h);
        }
        if (bg.image.empty()) return;
        Picture* pic = FindPicture(bg.image, bg.baseurl.c_str());
        SDL_Texture* tex = pic ? PictureTexture(*pic) : nullptr;
        if (!tex) return;
        const int w = bg.image_size.width > 0 ? bg.image_size.width : pic->surface->w;
        const int h = bg.image_size.height > 0 ? bg.image_size.height : pic->surface->h;
        if (w <= 0 || h <= 0) return;
        SDL_Rect clip;
        Intersect(ToRect(bg.clip_box), viewport, clip);
        for (const auto& r : clips) Intersect(clip, r, clip);
        if (clip.w <= 0 || clip.h <= 0) return;
        SDL_RenderSetClipRect(renderer, &clip);
        // litehtml has already placed the picture: these are drawing coordinates.
        int x0 = bg.position_x;
        int y0 = bg.position_y;
        const bool repeatX = bg.repeat == litehtml::background_repeat_repeat ||
                             bg.repeat == litehtml::background_repeat_repeat_x;
        const bool repeatY = bg.repeat == litehtml::background_repeat_repeat ||
                             bg.repeat == litehtml::background_repeat_repeat_y;
        if (repeatX) x0 -= ((x0 - clip.x) / w + 1) * w;
        if (repeatY) y0 -= ((y0 - clip.y) / h + 1) * h;
        const int x1 = repeatX ? clip.x + clip.w : x0 + 1;
        const int y1 = repeatY ? clip.y + clip.h : y0 + 1;
        for (int y = y0; y < y1; y += h)
            for (int x = x0; x < x1; x += w) {
                SDL_Rect dst{x, y, w, h};
                SDL_RenderCopy(renderer, tex, nullptr, &dst);
            }
        ApplyClip();
    }

    void draw_borders(litehtml::uint_ptr, const litehtml::borders& b, const litehtml::position& p,
                      bool) override {
        if (!renderer || hidden) return;
        auto visible = [](const litehtml::border& side) {
            return side.width > 0 && side.style != litehtml::border_style_none &&
                   side.style != litehtml::border_style_hidden;
        };
        if (visible(b.top)) {
            SetColor(b.top.color);
            FillRect(p.x, p.y, p.width, b.top.width);
        }
        if (visible(b.bottom)) {
            SetColor(b.bottom.color);
            FillRect(p.x, p.y + p.height - b.bottom.width, p.width, b.bottom.width);
        }
        if (visible(b.left)) {
            SetColor(b.left.color);
            FillRect(p.x, p.y, b.left.width, p.height);
        }
        if (visible(b.right)) {
            SetColor(b.right.color);
            FillRect(p.x + p.width - b.right.width, p.y, b.right.width, p.height);
        }
    }

    void set_caption(const litehtml::tchar_t*) override {}
    void set_base_url(const litehtml::tchar_t* base_url) override {
        if (base_url && *base_url) pageFolder = ResolvePath(FolderOf(base_url), pageFolder);
    }
    void link(const std::shared_ptr<litehtml::document>&, const litehtml::element::ptr&) override {}
    void on_anchor_click(const litehtml::tchar_t*, const litehtml::element::ptr&) override {}
    void set_cursor(const litehtml::tchar_t*) override {}

    void transform_text(litehtml::tstring& text, litehtml::text_transform tt) override {
        if (tt == litehtml::text_transform_none) return;
        std::string out;
        bool wordStart = true;
        for (char32_t c : DecodeUtf8(text)) {
            char32_t m = c;
            if (tt == litehtml::text_transform_uppercase) m = ToUpper(c);
            else if (tt == litehtml::text_transform_lowercase) m = ToLower(c);
            else if (tt == litehtml::text_transform_capitalize && wordStart) m = ToUpper(c);
            wordStart = c == ' ' || c == '\t' || c == '\n' || c == '-';
            appendUtf8(out, m);
        }
        text = out;
    }

    void import_css(litehtml::tstring& text, const litehtml::tstring& url, litehtml::tstring& baseurl) override {
        const std::string path = ResolvePath(url, baseurl.empty() ? pageFolder : baseurl);
        if (!ReadWholeFile(path, text)) text.clear();
        // A sheet the page's own bounds would refuse is left out: the page is shown
        // without it, as quickly as any other.
        if (text.size() > kMostPageBytes || !styleRefusal(text, page.selectors, page.searches).empty() ||
            page.selectors > kMostSelectors || !searchesFit(page, 0))
            text.clear();
        baseurl = FolderOf(path);  // pictures named in the sheet are relative to it
    }

    void set_clip(const litehtml::position& pos, const litehtml::border_radiuses&, bool valid_x,
                  bool valid_y) override {
        SDL_Rect r = ToRect(pos);
        if (!valid_x) {
            r.x = viewport.x;
            r.w = viewport.w;
        }
        if (!valid_y) {
            r.y = viewport.y;
            r.h = viewport.h;
        }
        clips.push_back(r);
        if (renderer) ApplyClip();
    }

    void del_clip() override {
        if (!clips.empty()) clips.pop_back();
        if (renderer) ApplyClip();
    }

    void get_client_rect(litehtml::position& client) const override {
        client.x = 0;
        client.y = 0;
        client.width = width;
        client.height = kViewHeight;
    }

    std::shared_ptr<litehtml::element> create_element(const litehtml::tchar_t*, const litehtml::string_map&,
                                                      const std::shared_ptr<litehtml::document>&) override {
        return nullptr;
    }

    void get_media_features(litehtml::media_features& media) const override {
        media.type = litehtml::media_type_screen;
        media.width = width;
        media.height = kViewHeight;
        media.device_width = width;
        media.device_height = kViewHeight;
        media.color = 8;
        media.color_index = 0;
        media.monochrome = 0;
        media.resolution = 96;
    }

    void get_language(litehtml::tstring& language, litehtml::tstring& culture) const override {
        language = "en";
        culture.clear();
    }
};

HtmlView::HtmlView() : impl_(std::make_unique<Impl>()) {}
HtmlView::~HtmlView() = default;

bool HtmlView::Load(const std::string& path, int width) {
    impl_->ClearPage();
    impl_->refusal.clear();
    std::string html;
    if (width <= 0 || !ReadWholeFile(path, html)) return false;
    return Show(html, FolderOf(path), width);
}

std::string HtmlView::LoadOrSay(const std::string& path, int width, const std::string& missingText,
                                const std::string& refusedText) {
    if (Load(path, width)) return {};
    const std::string refusal = impl_->refusal;
    const std::string& text = refusal.empty() ? missingText : refusedText;
    if (!text.empty()) {
        const auto escaped = [](const std::string& words) {
            std::string out;
            for (char c : words) {
                switch (c) {
                    case '&': out += "&amp;"; break;
                    case '<': out += "&lt;"; break;
                    case '>': out += "&gt;"; break;
                    case '"': out += "&quot;"; break;
                    default: out += c;
                }
            }
            return out;
        };
        Show("<html><body><h2>" + escaped(text) + "</h2><p>" + escaped(path) + "</p></body></html>", "", width);
    }
    if (refusal.empty()) return {};
    return "the help page " + path + " cannot be shown: " + refusal;
}

bool HtmlView::Show(const std::string& html, const std::string& folder, int width) {
    impl_->ClearPage();
    // Refused before the HTML library sees a byte of it.
    impl_->refusal = pageRefusal(html, &impl_->page);
    if (!impl_->refusal.empty() || width <= 0) return false;
    if (!TTF_WasInit() && TTF_Init() != 0) return false;
    impl_->width = width;
    impl_->pageFolder = folder;
    impl_->unread = html;
    impl_->waiting = true;
    return true;
}

void HtmlView::Clear() { impl_->ClearPage(); }

int HtmlView::ContentHeight() const {
    const litehtml::document* doc = impl_->Document();
    return doc ? std::max(0, doc->height()) : 0;
}

void HtmlView::ReleaseTextures() { impl_->DropTextures(); }

long HtmlView::FillsInLastDraw() const { return impl_->fills; }

std::vector<std::string> HtmlView::TextLines() const {
    Impl& v = *impl_;
    litehtml::document* const doc = v.Document();
    if (!doc) return {};
    // Without a renderer every drawing call does nothing; the words are only noted.
    std::vector<Impl::Word> words;
    SDL_Renderer* const renderer = v.renderer;
    v.renderer = nullptr;
    v.words = &words;
    doc->draw(0, 0, 0, nullptr);
    v.words = nullptr;
    v.renderer = renderer;
    v.clips.clear();

    // A word starts a new line unless it stands to the right of the one before, beside it.
    std::vector<std::string> lines;
    const Impl::Word* prev = nullptr;
    for (const Impl::Word& w : words) {
        const bool besidePrev = prev && w.pos.x >= prev->pos.right() - 1 && w.pos.y < prev->pos.bottom() &&
                                prev->pos.y < w.pos.bottom();
        if (!besidePrev) {
            lines.push_back(w.text);
        } else {
            if (w.pos.x > prev->pos.right() + 1) lines.back() += ' ';
            lines.back() += w.text;
        }
        prev = &w;
    }
    return lines;
}

void HtmlView::Draw(SDL_Renderer* renderer, const SDL_Rect& viewport, int scrollY) {
    if (!renderer || viewport.w <= 0 || viewport.h <= 0) return;
    Impl& v = *impl_;
    if (v.renderer != renderer) {
        v.DropTextures();
        v.renderer = renderer;
    }

    // Leave the renderer as we found it: the window draws its text after us.
    SDL_Rect oldClip;
    const bool hadClip = SDL_RenderIsClipEnabled(renderer) == SDL_TRUE;
    SDL_RenderGetClipRect(renderer, &oldClip);
    Uint8 r, g, b, a;
    SDL_GetRenderDrawColor(renderer, &r, &g, &b, &a);
    SDL_BlendMode blend;
    SDL_GetRenderDrawBlendMode(renderer, &blend);

    v.viewport = viewport;
    v.clips.clear();
    v.fills = 0;
    // Respect a clip the caller already set, so the page never spills past it.
    if (hadClip) {
        SDL_Rect inside;
        Intersect(viewport, oldClip, inside);
        v.viewport = inside;
    }
    v.ApplyClip();

    // A blank page is white, as in any browser; the page's own background
    // paints over it.
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
    SDL_SetRenderDrawColor(renderer, 255, 255, 255, 255);
    SDL_RenderFillRect(renderer, &v.viewport);

    litehtml::document* const doc = v.Document();
    if (doc && v.viewport.w > 0 && v.viewport.h > 0) {
        litehtml::position clip(v.viewport.x, v.viewport.y, v.viewport.w, v.viewport.h);
        doc->draw(reinterpret_cast<litehtml::uint_ptr>(renderer), viewport.x, viewport.y - scrollY, &clip);
    }
    v.clips.clear();

    SDL_RenderSetClipRect(renderer, hadClip ? &oldClip : nullptr);
    SDL_SetRenderDrawColor(renderer, r, g, b, a);
    SDL_SetRenderDrawBlendMode(renderer, blend);
}

}  // namespace tk

// Fonts by family name: fontconfig picks the file, SDL_ttf opens it at 96 dpi, both are cached.
#include "platform/fonts.h"

#include "platform/sdl_handles.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <mutex>
#include <tuple>

namespace tk {
namespace {

struct Match {
    std::string file;
    int index = 0;
    bool needsBold = false;    // the family has no bold face: let SDL_ttf embolden it
    bool needsItalic = false;
};

// Matches survive CloseFonts: asking fontconfig is the slow part, and the
// answer does not change while the program runs.
std::mutex g_mutex;
std::map<std::tuple<std::string, bool, bool>, Match> g_matches;
std::map<std::tuple<std::string, int, int, int>, sdl::FontHandle> g_fonts;
int g_open = 0;  // cached fonts and those handed out by OpenFont

// Where a family is not installed, a free font of nearly the same widths keeps the
// game's fixed layouts (the credits column, the clock box) intact; fontconfig's own
// fallback, DejaVu Sans, runs a sixth wider.
const char* WidthTwin(const std::string& family) {
    if (family == "Trebuchet MS") return "Liberation Sans";
    return nullptr;
}

// fontconfig's best match for the family, and whether it is that family itself.
Match Lookup(const std::string& family, bool bold, bool italic, bool* exact) {
    Match m;
    *exact = false;
    if (FcInit()) {
        FcPattern* pat = FcPatternCreate();
        FcPatternAddString(pat, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
        FcPatternAddInteger(pat, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
        FcPatternAddInteger(pat, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
        // Only outline fonts can be opened by SDL_ttf at any size.
        FcPatternAddBool(pat, FC_SCALABLE, FcTrue);
        FcConfigSubstitute(nullptr, pat, FcMatchPattern);
        FcDefaultSubstitute(pat);
        FcResult result = FcResultNoMatch;
        FcPattern* found = FcFontMatch(nullptr, pat, &result);
        if (found) {
            FcChar8* file = nullptr;
            if (FcPatternGetString(found, FC_FILE, 0, &file) == FcResultMatch && file) {
                m.file = reinterpret_cast<const char*>(file);
                int index = 0;
                if (FcPatternGetInteger(found, FC_INDEX, 0, &index) == FcResultMatch) m.index = index;
                int weight = FC_WEIGHT_REGULAR, slant = FC_SLANT_ROMAN;
                FcPatternGetInteger(found, FC_WEIGHT, 0, &weight);
                FcPatternGetInteger(found, FC_SLANT, 0, &slant);
                m.needsBold = bold && weight < FC_WEIGHT_DEMIBOLD;
                m.needsItalic = italic && slant == FC_SLANT_ROMAN;
                FcChar8* got = nullptr;
                *exact = FcPatternGetString(found, FC_FAMILY, 0, &got) == FcResultMatch && got &&
                         FcStrCmpIgnoreCase(got, reinterpret_cast<const FcChar8*>(family.c_str())) == 0;
            }
            FcPatternDestroy(found);
        }
        FcPatternDestroy(pat);
    }
    return m;
}

Match FindFile(const std::string& family, bool bold, bool italic) {
    const auto key = std::make_tuple(family, bold, italic);
    if (auto it = g_matches.find(key); it != g_matches.end()) return it->second;

    bool exact = false;
    Match m = Lookup(family, bold, italic, &exact);
    if (!exact) {
        if (const char* twin = WidthTwin(family)) {
            bool twinExact = false;
            Match t = Lookup(twin, bold, italic, &twinExact);
            if (twinExact) m = t;
        }
    }
    g_matches[key] = m;
    return m;
}

// Opens a font for the match, from the cache or counted as a new one of the caller's.
TTF_Font* OpenLocked(const std::string& family, bool bold, bool italic, double points, bool cached) {
    if (!TTF_WasInit() && TTF_Init() != 0) return nullptr;
    const Match m = FindFile(family, bold, italic);
    if (m.file.empty()) return nullptr;
    const int size = std::max(1, static_cast<int>(std::lround(points)));
    const int style = (m.needsBold ? TTF_STYLE_BOLD : 0) | (m.needsItalic ? TTF_STYLE_ITALIC : 0);
    const auto key = std::make_tuple(m.file, m.index, size, style);
    if (cached) {
        if (auto it = g_fonts.find(key); it != g_fonts.end()) return it->second.get();
    }
    sdl::FontHandle font(TTF_OpenFontIndexDPI(m.file.c_str(), size, m.index, 96, 96));
    if (!font) return nullptr;
    if (style) TTF_SetFontStyle(font.get(), style);
    ++g_open;
    if (!cached) return font.release();
    return (g_fonts[key] = std::move(font)).get();
}

}  // namespace

TTF_Font* GetFont(const std::string& family, bool bold, bool italic, double points) {
    std::lock_guard lock(g_mutex);
    return OpenLocked(family, bold, italic, points, true);
}

OwnFont OpenFont(const std::string& family, bool bold, bool italic, double points) {
    std::lock_guard lock(g_mutex);
    return OwnFont(OpenLocked(family, bold, italic, points, false));
}

void FontCloser::operator()(TTF_Font* font) const {
    std::lock_guard lock(g_mutex);
    if (!font) return;
    if (TTF_WasInit()) TTF_CloseFont(font);
    --g_open;
}

int OpenFontCount() {
    std::lock_guard lock(g_mutex);
    return g_open;
}

void CloseFonts() {
    std::lock_guard lock(g_mutex);
    // After the text renderer has stopped, closing a font would touch freed state.
    if (!TTF_WasInit()) {
        for (auto& [key, font] : g_fonts) (void)font.release();
    }
    g_open -= static_cast<int>(g_fonts.size());
    g_fonts.clear();
}

}  // namespace tk

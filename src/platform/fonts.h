// Fonts by family name through fontconfig, opened with SDL_ttf at 96 dpi and cached.
#pragma once

#include <SDL_ttf.h>

#include <memory>
#include <string>

namespace tk {

// The best match fontconfig finds for the family ("Trebuchet MS" falls back to
// Liberation Sans, which has nearly its widths, and to DejaVu Sans where neither is
// installed); null only when the machine has no font at all.
// The font stays open until CloseFonts().
TTF_Font* GetFont(const std::string& family, bool bold, bool italic, double points);
void CloseFonts();

// The same match opened as a font of the caller's own, never cached: for text whose
// sizes a page chooses, which must not stay open after the page has gone.
struct FontCloser {
    void operator()(TTF_Font* font) const;
};
using OwnFont = std::unique_ptr<TTF_Font, FontCloser>;
OwnFont OpenFont(const std::string& family, bool bold, bool italic, double points);
// Fonts open now, cached or owned by someone.
int OpenFontCount();

}  // namespace tk

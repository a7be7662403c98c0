// Small test pictures made on the fly: solid blocks with a coloured corner mark.
#pragma once

#include <SDL.h>
#include <SDL_image.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "platform/headless_platform.h"

namespace tk::test {

// Writes a w × h PNG whose pixels come from `colour(x, y)`; `withAlpha` false
// writes one without an alpha channel, as a JPEG background would load.
inline bool WritePng(const std::filesystem::path& file, int w, int h,
                     const std::function<Rgba(int, int)>& colour, bool withAlpha = true) {
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(
        0, w, h, withAlpha ? 32 : 24, withAlpha ? SDL_PIXELFORMAT_ARGB8888 : SDL_PIXELFORMAT_RGB24);
    if (!s) return false;
    for (int y = 0; y < h; ++y) {
        auto* row = static_cast<std::uint8_t*>(s->pixels) + y * s->pitch;
        for (int x = 0; x < w; ++x) {
            const Rgba c = colour(x, y);
            if (withAlpha) {
                reinterpret_cast<std::uint32_t*>(row)[x] = SDL_MapRGBA(s->format, c.r, c.g, c.b, c.a);
            } else {
                row[3 * x] = c.r, row[3 * x + 1] = c.g, row[3 * x + 2] = c.b;
            }
        }
    }
    const bool ok = IMG_SavePNG(s, file.string().c_str()) == 0;
    SDL_FreeSurface(s);
    return ok;
}

inline constexpr Rgba kRed{255, 0, 0, 255}, kBlue{0, 0, 255, 255}, kGreen{0, 255, 0, 255},
    kBlack{0, 0, 0, 255}, kClear{0, 0, 0, 0};

}  // namespace tk::test

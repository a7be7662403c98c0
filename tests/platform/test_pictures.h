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

// Writes a w × h PNG whose pixels come from `colour(x, y)`.
inline bool WritePng(const std::filesystem::path& file, int w, int h,
                     const std::function<Rgba(int, int)>& colour) {
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!s) return false;
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(static_cast<std::uint8_t*>(s->pixels) + y * s->pitch);
        for (int x = 0; x < w; ++x) {
            const Rgba c = colour(x, y);
            row[x] = SDL_MapRGBA(s->format, c.r, c.g, c.b, c.a);
        }
    }
    const bool ok = IMG_SavePNG(s, file.string().c_str()) == 0;
    SDL_FreeSurface(s);
    return ok;
}

inline constexpr Rgba kRed{255, 0, 0, 255}, kBlue{0, 0, 255, 255}, kGreen{0, 255, 0, 255},
    kBlack{0, 0, 0, 255}, kClear{0, 0, 0, 0};

}  // namespace tk::test

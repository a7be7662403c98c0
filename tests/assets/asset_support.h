// Helpers shared by the asset tests: loading pictures as RGBA, reading pixels and judging contrast.
#pragma once

#include <SDL.h>
#include <SDL_image.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <memory>
#include <string>

namespace tk::assets {

inline const std::string kData = TK_DATA_DIR;

struct SurfaceFree {
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using Surface = std::unique_ptr<SDL_Surface, SurfaceFree>;

// Converts to 32-bit RGBA so pixels can be read directly; takes ownership of `raw`.
inline Surface loadRgba(SDL_Surface* raw) {
    if (!raw) return nullptr;
    Surface s(SDL_ConvertSurfaceFormat(raw, SDL_PIXELFORMAT_RGBA32, 0));
    SDL_FreeSurface(raw);
    return s;
}
inline Surface loadPicture(const std::string& name) {
    return loadRgba(IMG_Load((kData + "/graphics/" + name).c_str()));
}

struct Pixel {
    std::uint8_t r, g, b, a;
};
inline Pixel pixel(SDL_Surface* s, int x, int y) {
    const auto* row = static_cast<const std::uint8_t*>(s->pixels) + y * s->pitch;
    return {row[x * 4], row[x * 4 + 1], row[x * 4 + 2], row[x * 4 + 3]};
}

inline double luminance(Pixel p) { return 0.299 * p.r + 0.587 * p.g + 0.114 * p.b; }

// Relative luminance and contrast ratio as used for judging text legibility.
inline double relativeLuminance(double r, double g, double b) {
    auto lin = [](double c) {
        c /= 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * lin(r) + 0.7152 * lin(g) + 0.0722 * lin(b);
}
inline double contrast(double la, double lb) {
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

inline std::string headOf(const std::string& path, std::size_t n) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes(n, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(n));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}
inline bool isPng(const std::string& path) { return headOf(path, 8) == "\x89PNG\r\n\x1a\n"; }
inline bool isJpeg(const std::string& path) { return headOf(path, 3) == "\xFF\xD8\xFF"; }

// SDL with dummy drivers and the picture decoders, once per suite.
class AssetTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        SDL_setenv("SDL_AUDIODRIVER", "dummy", 1);
        SDL_setenv("SDL_VIDEODRIVER", "dummy", 1);
        ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
        IMG_Init(IMG_INIT_PNG | IMG_INIT_JPG);
    }
    static void TearDownTestSuite() {
        IMG_Quit();
        SDL_Quit();
    }
};

}  // namespace tk::assets

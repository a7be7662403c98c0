// The help view: loading, layout height and drawing of local pages onto a software renderer.
#include "platform/html_view.h"

#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_ttf.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

struct Canvas {
    SDL_Surface* surface = nullptr;
    SDL_Renderer* renderer = nullptr;
    Canvas(int w, int h) {
        surface = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888);
        renderer = SDL_CreateSoftwareRenderer(surface);
    }
    ~Canvas() {
        SDL_DestroyRenderer(renderer);
        SDL_FreeSurface(surface);
    }
    Uint32 at(int x, int y) const {
        return static_cast<const Uint32*>(surface->pixels)[y * surface->pitch / 4 + x] & 0xFFFFFF;
    }
};

std::string WriteTemp(const std::string& name, const std::string& text) {
    const auto dir = std::filesystem::temp_directory_path() / "tk_help_test";
    std::filesystem::create_directories(dir);
    const auto path = dir / name;
    std::ofstream(path, std::ios::binary) << text;
    return path.string();
}

}  // namespace

TEST(HtmlViewSmoke, LoadsAndDraws) {
    const std::string page = WriteTemp("p.html",
        "<html><body style='background:#102010;color:#ddd'><h1 style='color:#e0ff00'>Nápověda</h1>"
        "<p>Hello <b>bold</b> <i>it</i> <a href='x'>link</a></p><ol><li>one</li><li>two</li></ol>"
        "<ul><li>a</li><li>b<ul><li>c</li></ul></li></ul>line<br>break"
        "<table border=1><tr><td>x</td><td>y</td></tr></table></body></html>");
    tk::HtmlView view;
    ASSERT_TRUE(view.Load(page, 770));
    EXPECT_GT(view.ContentHeight(), 100);
    Canvas c(800, 600);
    SDL_Rect vp{15, 15, 770, 490};
    view.Draw(c.renderer, vp, 0);
    SDL_SaveBMP(c.surface, "/tmp/tk_help_smoke.bmp");
    view.ReleaseTextures();
}

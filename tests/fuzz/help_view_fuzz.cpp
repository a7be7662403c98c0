// Fuzzes the help view: any page loads, lays out and draws on the software renderer, scrolled anywhere.
#include <SDL.h>

#include <cstddef>
#include <cstdint>
#include <fstream>

#include "fuzz_check.h"
#include "platform/html_view.h"

using namespace tk;

namespace {

SDL_Renderer* canvas() {
    static SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, 800, 600, 32, SDL_PIXELFORMAT_ARGB8888);
    static SDL_Renderer* renderer = surface ? SDL_CreateSoftwareRenderer(surface) : nullptr;
    if (!renderer) fuzz::broken("no software renderer");
    return renderer;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string page = (fuzz::scratchFolder() / "page.html").string();
    {
        std::ofstream out(page, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    // The page's first byte picks how far down it is shown.
    const int fraction = size > 0 ? data[0] : 0;
    HtmlView view;
    view.Load(page, 770);
    const int height = view.ContentHeight();
    fuzz::check(height >= 0, "a page is never of negative height");
    const SDL_Rect help{15, 15, 770, 490};
    view.Draw(canvas(), help, static_cast<int>(static_cast<long long>(height) * fraction / 255));
    view.ReleaseTextures();
    return 0;
}

// Decoding pictures into ARGB8888, and their textures.
#include "platform/sdl_pictures.h"

#include <SDL_image.h>


namespace tk::sdl {
namespace {

struct Decoded {
    std::shared_ptr<SDL_Surface> pixels;  // null: the bytes are not a picture
    bool opaque = false;
};

// Every picture gets the same pixel layout, so that reading pixels back and blending
// work the same for all of them.
Decoded Convert(SurfaceHandle decoded) {
    Decoded d;
    if (!decoded) return d;
    Uint32 key = 0;
    d.opaque = decoded->format->Amask == 0 && !decoded->format->palette &&
               SDL_GetColorKey(decoded.get(), &key) != 0;
    SurfaceHandle argb(SDL_ConvertSurfaceFormat(decoded.get(), SDL_PIXELFORMAT_ARGB8888, 0));
    if (!argb) return d;
    SDL_SetSurfaceBlendMode(argb.get(), SDL_BLENDMODE_BLEND);
    d.pixels = Shared(std::move(argb));
    return d;
}

Decoded DecodeFile(const std::string& path) { return Convert(SurfaceHandle(IMG_Load(path.c_str()))); }

}  // namespace

bool PictureTable::Decode(Entry& entry) const {
    Decoded d;
    if (!entry.source.path.empty()) {
        d = DecodeFile(entry.source.path);
    } else if (entry.source.data && entry.source.size <= static_cast<std::size_t>(INT32_MAX)) {
        SDL_RWops* rw = SDL_RWFromConstMem(entry.source.data, static_cast<int>(entry.source.size));
        if (rw) d = Convert(SurfaceHandle(IMG_Load_RW(rw, 1)));
    }
    if (!d.pixels) return false;
    entry.pixels = std::move(d.pixels);
    entry.width = entry.pixels->w;
    entry.height = entry.pixels->h;
    entry.opaque = d.opaque;
    return true;
}

PictureHandle PictureTable::Keep(Source source) {
    Entry entry;
    entry.source = std::move(source);
    if (!Decode(entry)) return 0;
    const PictureHandle h = next_++;
    pictures_.emplace(h, std::move(entry));
    if (home_) Texture(h, home_);  // uploads it and lets the pixels go
    return h;
}

PictureHandle PictureTable::LoadFile(const std::string& path) {
    if (path.empty()) return 0;
    return Keep(Source{path, nullptr, 0});
}

PictureHandle PictureTable::LoadMemory(const unsigned char* data, std::size_t size) {
    if (!data || size == 0) return 0;
    return Keep(Source{{}, data, size});
}

void PictureTable::Dispose(PictureHandle image) { pictures_.erase(image); }

const SDL_Surface* PictureTable::Surface(PictureHandle image) const {
    auto it = pictures_.find(image);
    return it == pictures_.end() ? nullptr : it->second.pixels.get();
}

int PictureTable::Width(PictureHandle image) const {
    auto it = pictures_.find(image);
    return it == pictures_.end() ? 0 : it->second.width;
}

int PictureTable::Height(PictureHandle image) const {
    auto it = pictures_.find(image);
    return it == pictures_.end() ? 0 : it->second.height;
}

SDL_Texture* PictureTable::Texture(PictureHandle image, SDL_Renderer* renderer) {
    auto it = pictures_.find(image);
    if (it == pictures_.end() || !renderer) return nullptr;
    Entry& e = it->second;
    for (auto& [r, t] : e.textures)
        if (r == renderer) return t.get();
    if (!e.pixels && !Decode(e)) return nullptr;
    TextureHandle tex(SDL_CreateTextureFromSurface(renderer, e.pixels.get()));
    if (!tex) return nullptr;
    // JPEG backgrounds fill the window and every cell: copying them is much cheaper
    // than blending, with the same result.
    SDL_SetTextureBlendMode(tex.get(), e.opaque ? SDL_BLENDMODE_NONE : SDL_BLENDMODE_BLEND);
    SDL_Texture* raw = tex.get();
    e.textures.emplace_back(renderer, std::move(tex));
    if (renderer == home_) e.pixels.reset();
    return raw;
}

}  // namespace tk::sdl

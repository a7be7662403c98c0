// Pictures by handle: decoded once into one pixel layout, uploaded as a texture per renderer.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/window_view.h"
#include "platform/sdl_handles.h"

namespace tk::sdl {

// Handles are never reused, so a stale handle can only ever draw nothing.
class PictureTable {
public:
    // With a home renderer every picture becomes a texture of it as it is loaded and its
    // decoded pixels are let go (they are decoded again only if the device loses its
    // textures). Without one the pixels stay, for reading back and for any renderer.
    explicit PictureTable(SDL_Renderer* home = nullptr) : home_(home) {}
    PictureTable(const PictureTable&) = delete;
    PictureTable& operator=(const PictureTable&) = delete;

    PictureHandle LoadFile(const std::string& path);                        // 0 when unreadable
    PictureHandle LoadMemory(const unsigned char* data, std::size_t size);  // 0 when unreadable
    void Dispose(PictureHandle image);  // 0, unknown and already disposed handles are ignored

    // ARGB8888 pixels; null for an unknown handle or pixels already let go.
    const SDL_Surface* Surface(PictureHandle image) const;
    int Width(PictureHandle image) const;
    int Height(PictureHandle image) const;
    SDL_Texture* Texture(PictureHandle image, SDL_Renderer* renderer);
    int Live() const { return static_cast<int>(pictures_.size()); }

private:
    struct Source {  // where the pixels come from, to decode them again
        std::string path;
        const unsigned char* data = nullptr;
        std::size_t size = 0;
    };
    struct Entry {
        Source source;
        std::shared_ptr<SDL_Surface> pixels;
        int width = 0, height = 0;
        bool opaque = false;  // no transparency at all: copied without blending
        std::vector<std::pair<SDL_Renderer*, TextureHandle>> textures;
    };
    PictureHandle Keep(Source source);
    bool Decode(Entry& entry) const;

    SDL_Renderer* home_;
    std::map<PictureHandle, Entry> pictures_;
    PictureHandle next_ = 1;
};

}  // namespace tk::sdl

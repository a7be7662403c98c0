// Owning handles for SDL objects: each one is destroyed by its own kind's call when its handle goes.
#pragma once

#include <SDL.h>
#include <SDL_ttf.h>

#include <memory>

namespace tk::sdl {

template <class T, void (*Destroy)(T*)>
struct Destroyer {
    void operator()(T* object) const {
        if (object) Destroy(object);
    }
};

template <class T, void (*Destroy)(T*)>
using Handle = std::unique_ptr<T, Destroyer<T, Destroy>>;

using WindowHandle = Handle<SDL_Window, SDL_DestroyWindow>;
using RendererHandle = Handle<SDL_Renderer, SDL_DestroyRenderer>;
using TextureHandle = Handle<SDL_Texture, SDL_DestroyTexture>;
using SurfaceHandle = Handle<SDL_Surface, SDL_FreeSurface>;
using FontHandle = Handle<TTF_Font, TTF_CloseFont>;

// A surface shared between owners (a picture decoded once for several tables).
inline std::shared_ptr<SDL_Surface> Shared(SurfaceHandle surface) {
    return std::shared_ptr<SDL_Surface>(surface.release(), Destroyer<SDL_Surface, SDL_FreeSurface>{});
}

}  // namespace tk::sdl

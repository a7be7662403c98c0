// The help pages shown in the window's browser views, one laid-out page per view.
#pragma once

#include <SDL.h>

#include <map>
#include <memory>
#include <string>

#include "platform/controls.h"

namespace tk::sdl {

class HelpViews {
public:
    HelpViews();
    ~HelpViews();
    HelpViews(const HelpViews&) = delete;
    HelpViews& operator=(const HelpViews&) = delete;

    // Lays the page out at the view's width; an unreadable page leaves the view empty.
    void Navigate(const BrowserView& view, const std::string& path);
    int ContentHeight(const BrowserView& view) const;  // 0 when empty
    void Draw(const BrowserView& view, SDL_Renderer* renderer, const SDL_Rect& viewport);
    // Pictures of the page live as textures of a renderer; forget those of one going away.
    void ForgetRenderer(SDL_Renderer* renderer);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace tk::sdl

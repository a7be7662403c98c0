// The help pages per browser view, laid out and drawn by HtmlView.
#include "platform/help_views.h"

#include "platform/html_view.h"

namespace tk::sdl {

struct HelpViews::Impl {
    std::map<const BrowserView*, std::unique_ptr<HtmlView>> views;
};

HelpViews::HelpViews() : impl_(std::make_unique<Impl>()) {}
HelpViews::~HelpViews() = default;

void HelpViews::Navigate(const BrowserView& view, const std::string& path) {
    auto& page = impl_->views[&view];
    if (!page) page = std::make_unique<HtmlView>();
    page->Load(path, view.Width);
}

int HelpViews::ContentHeight(const BrowserView& view) const {
    auto it = impl_->views.find(&view);
    return it == impl_->views.end() ? 0 : it->second->ContentHeight();
}

void HelpViews::Draw(const BrowserView& view, SDL_Renderer* renderer, const SDL_Rect& viewport) {
    auto it = impl_->views.find(&view);
    if (it != impl_->views.end()) it->second->Draw(renderer, viewport, view.ScrollY);
}

void HelpViews::ForgetRenderer(SDL_Renderer*) {
    // A view keeps the textures of the renderer it last drew with, whichever that was.
    for (auto& [view, page] : impl_->views) page->ReleaseTextures();
}

}  // namespace tk::sdl

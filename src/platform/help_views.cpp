// The help pages per browser view, laid out and drawn by HtmlView.
#include "platform/help_views.h"

#include "platform/html_view.h"

namespace tk::sdl {

struct HelpViews::Impl {
    std::map<const BrowserView*, std::unique_ptr<HtmlView>> views;
};

HelpViews::HelpViews() : impl_(std::make_unique<Impl>()) {}
HelpViews::~HelpViews() = default;

namespace {

std::string EscapeHtml(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
    return out;
}

}  // namespace

void HelpViews::Navigate(const BrowserView& view, const std::string& path) {
    auto& page = impl_->views[&view];
    if (!page) page = std::make_unique<HtmlView>();
    if (page->Load(path, view.Width) || view.MissingPageText.empty()) return;
    // Like a browser, the view says that the page is missing rather than stay blank.
    page->Show("<html><body><h2>" + EscapeHtml(view.MissingPageText) + "</h2><p>" + EscapeHtml(path) +
                   "</p></body></html>",
               "", view.Width);
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

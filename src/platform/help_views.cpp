// The help pages per browser view (the page layout itself is not linked in yet: views stay empty).
#include "platform/help_views.h"

namespace tk::sdl {

struct HelpViews::Impl {};

HelpViews::HelpViews() : impl_(std::make_unique<Impl>()) {}
HelpViews::~HelpViews() = default;
void HelpViews::Navigate(const BrowserView&, const std::string&) {}
int HelpViews::ContentHeight(const BrowserView&) const { return 0; }
void HelpViews::Draw(const BrowserView&, SDL_Renderer*, const SDL_Rect&) {}
void HelpViews::ForgetRenderer(SDL_Renderer*) {}

}  // namespace tk::sdl

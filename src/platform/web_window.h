// The window in the web page: what a view shows, laid out by the look of window_look.h and
// handed to the page as its list of elements (web_page.h), bottom up.
#pragma once

#include "platform/window_view.h"

namespace tk::web {

// Hands the page the window as `view` says. `helpMissing`: the help page could not be read,
// and the view's missingText shows in its place, with the page's path.
void PaintWindow(const WindowView& view, bool helpMissing);

}  // namespace tk::web

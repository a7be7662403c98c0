// The platform in a web page: the page's canvas, input, sound and storage (web_page.h) behind
// the same interface as the desktop's window.
#pragma once

#include <memory>

#include "platform/platform.h"

namespace tk {

// Its WaitUntil does not block, as nothing in a page may: it tells the page when to run the
// program's next pass (at the deadline, or when input arrives) and returns at once. The
// program is therefore driven pass by pass (Program::Step), never by Program::Run.
std::unique_ptr<Platform> CreateWebPlatform();

}  // namespace tk

// What the page's address asks the game to start with: the browser's stand-in for the
// command line (?daily, ?random=hard&seed=7, ?level=07).
#pragma once

#include <string_view>

#include "app/start_request.h"

namespace tk {

// `query` is the address's part from '?' on (or without it). Anything the page cannot honour
// (an unknown band, a seed that is no whole number, a level name with a path in it, two ways
// at once) starts the menu, as a plain address does.
StartRequest StartRequestFromAddress(std::string_view query);

}  // namespace tk

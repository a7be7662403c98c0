// How the window's elements look and where they sit when the program starts.
#pragma once

#include "platform/controls.h"

namespace tk {

// Everything starts hidden: the window first shows only its start-up picture, and
// start-up brings the elements out one by one.
void LayOutWindow(Controls& controls);

}  // namespace tk

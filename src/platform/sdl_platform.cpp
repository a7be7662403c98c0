// The real platform on SDL2.
#include "platform/platform.h"

namespace tk {

std::unique_ptr<Platform> CreateSdlPlatform() { return nullptr; }

}  // namespace tk

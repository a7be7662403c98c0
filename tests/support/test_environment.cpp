// What every test program needs before its first test: no display, no sound card, checks on
// the twin that cannot be skipped unseen, and the knowledge of which leaks belong to the
// system's libraries rather than to the game.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/headless_platform.h"

namespace {

// Set before any test brings SDL up; a value given from outside is kept.
const bool kDummyDrivers = [] {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    return true;
}();

// A check scheduled on the twin for a moment the run never reached fails its test.
const bool kUnrunChecksFail = [] {
    tk::unrunActionsReporter = [](const std::string& what) { ADD_FAILURE() << what; };
    return true;
}();

}  // namespace

// Read by LeakSanitizer in the sanitizer build. The open fonts stay cached for the whole
// process (as in the game), and fontconfig and SDL keep their own caches; their stacks end
// inside those libraries, which carry no frame pointers, so the libraries are named.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\n"
           "leak:libSDL2\n"
           "leak:libharfbuzz\n"
           "leak:libfreetype\n"
           "leak:libdbus\n"
           "leak:libX11\n";
}

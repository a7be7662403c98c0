// What every test program and fuzz target needs before it starts: no display, no sound card,
// and the knowledge of which leaks belong to the system's libraries rather than to the game.
#include <cstdlib>

namespace {

// Set before any test brings SDL up; a value given from outside is kept.
const bool kDummyDrivers = [] {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
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

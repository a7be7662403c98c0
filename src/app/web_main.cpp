// The program's entry point in a web page: main() sets the game up, and the page runs each of
// its passes (tk_pass) when the time the last one asked for comes or input arrives.
#include <memory>

#include "app/program.h"
#include "platform/web_platform.h"

namespace {

std::unique_ptr<tk::Platform> platform;
std::unique_ptr<tk::Program> program;

}  // namespace

extern "C" {

// One pass; 0 once the game has ended (the page then shows it has).
__attribute__((used)) int tk_pass() {
    if (!program) return 0;
    const tk::Wake wake = program->Step();
    if (program->ended()) {
        program.reset();
        return 0;
    }
    // Tells the page when to come back; returns at once.
    platform->WaitUntil(wake.at, wake.onInput);
    return 1;
}

}  // extern "C"

int main() {
    platform = tk::CreateWebPlatform();
    program = std::make_unique<tk::Program>(*platform);
    return 0;
}

// The program's entry point: the real window on SDL2.
#include "app/program.h"

int main() {
    // The platform stops the program itself, with the reason, when there is no window.
    const auto platform = tk::CreateSdlPlatform();
    tk::Program program(*platform);
    return program.Run();
}

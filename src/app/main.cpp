// The program's entry point: the real window on SDL2.
#include "app/module1.h"

int main() {
    // The SDL platform ends the process itself, with the reason on standard error,
    // when it cannot open the window.
    const std::unique_ptr<tk::Platform> platform = tk::CreateSdlPlatform();
    tk::frmMain form(*platform);
    return tk::Module1::Main(form);
}

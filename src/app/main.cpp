// The program's entry point: the real window on SDL2.
#include "app/module1.h"

int main() {
    auto platform = tk::CreateSdlPlatform();
    tk::frmMain form(*platform);
    return tk::Module1::Main(form);
}

// The program's entry point: the real window on SDL2.
#include <exception>
#include <iostream>

#include "app/module1.h"

int main() {
    std::unique_ptr<tk::Platform> platform;
    try {
        platform = tk::CreateSdlPlatform();
    } catch (const std::exception& e) {
        std::cerr << "TramolKulap: cannot open the window: " << e.what() << '\n';
        return 1;
    }
    if (!platform) {
        std::cerr << "TramolKulap: cannot open the window\n";
        return 1;
    }
    tk::frmMain form(*platform);
    return tk::Module1::Main(form);
}

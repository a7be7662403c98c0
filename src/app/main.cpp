// The program's entry point: the command line, then the real window on SDL2.
#include <cstdio>

#include "app/command_line.h"
#include "app/program.h"

int main(int argc, char** argv) {
    const tk::CommandLine line = tk::readCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (!line.start) {
        std::fputs(line.out.c_str(), stdout);
        std::fputs(line.err.c_str(), stderr);
        return line.status;
    }
    // The platform stops the program itself, with the reason, when there is no window.
    const auto platform = tk::CreateSdlPlatform();
    tk::Program program(*platform, line.request);
    return program.Run();
}

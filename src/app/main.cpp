// The program's entry point: the command line, then the real window on SDL2.
#include <cstdio>
#include <cstdlib>

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
    const int status = program.Run();
    // What the player keeps is on disk by now and the music is stopped. Tearing the rest down
    // one piece at a time would only hold the end back: SDL lets the sound device drain for
    // two more buffers before it goes, up to 70 ms after a close or a signal. The window,
    // the device and the memory all go with the process.
    std::fflush(nullptr);
    std::_Exit(status);
}

// The whole program on the headless twin: a program folder, the platform, the program.
#pragma once

#include <cstdint>

#include "app/program.h"
#include "platform/headless_platform.h"
#include "program_folder.h"

namespace tk::test {

// A level is being played: its title has gone and no outcome stands yet.
inline bool inPlay(PlayPhase phase) {
    return phase == PlayPhase::Waiting || phase == PlayPhase::Stepping || phase == PlayPhase::Turning ||
           phase == PlayPhase::Asking;
}

struct GameFixture {
    explicit GameFixture(HeadlessOptions options = {}, bool withData = true)
        : folder(withData), plat(withFolder(options, folder)), program(plat) {}

    // Runs the program to its end (start-up, the scripted session, shutdown).
    int Run() { return program.Run(); }

    WindowView& view() { return program.view(); }
    PlayState& level() { return program.play().state(); }
    PlayPhase phase() { return program.play().phase(); }

    // Start-up waits 1250 ms before it loads; the menu takes keys from then on.
    static constexpr std::uint64_t kMenuReady = 1300;

    ProgramFolder folder;
    HeadlessPlatform plat;
    Program program;

private:
    static HeadlessOptions withFolder(HeadlessOptions o, const ProgramFolder& f) {
        o.programFolder = f.str();
        return o;
    }
};

}  // namespace tk::test

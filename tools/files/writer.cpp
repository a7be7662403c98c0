// Writes the player's files over and over as a game does, for the reliability measurements: tramolkulap-file-writer FOLDER NAME COUNT.
//
// Each round saves the one setting this writer owns ("a" full screen, any other name the
// music) and records a new best on one of twenty levels of its own ("<name>0" … "<name>19",
// the round's number in seconds), in FOLDER's options.txt and scores.txt, as two games in
// one folder would. Prints "round N" before each round, so that whoever kills it knows
// how far it got; the exit status is the number of writes that failed, and of damaged
// files found (at most 100).
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/best_times.h"
#include "app/settings.h"

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s FOLDER NAME COUNT\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1], name = argv[2];
    const int count = std::atoi(argv[3]);
    tk::PlayerFiles files;
    int failed = 0;
    tk::BestTimes bests(files, folder + "/scores.txt", [&failed](const std::string& line) {
        std::fprintf(stderr, "%s\n", line.c_str());
        ++failed;
    });
    bests.Load();
    tk::Settings mine;
    const bool fullscreen = name == "a";
    for (int round = 1; round <= count; ++round) {
        std::printf("round %d\n", round);
        std::fflush(stdout);
        (fullscreen ? mine.fullscreenOn : mine.musicOn) = round % 2 == 1;
        std::string why;
        if (!tk::saveSettings(files, folder + "/options.txt", mine,
                              fullscreen ? tk::changed::kFullscreen : tk::changed::kMusic, why)) {
            std::fprintf(stderr, "%s\n", why.c_str());
            ++failed;
        }
        // (A best that is no better than the file's is not written: no failure.)
        bests.Record(name + std::to_string(round % 20), static_cast<std::int16_t>(round));
    }
    return failed > 100 ? 100 : failed;
}

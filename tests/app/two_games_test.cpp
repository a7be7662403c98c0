// Two games writing the same settings and best times at once, while a third process reads: no write fails, no read sees a part of a file, no best is lost.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <functional>
#include <map>
#include <regex>

#include "app/best_times.h"
#include "app/settings.h"
#include "puzzle/regular_file.h"
#include "support/program_folder.h"

namespace tk::test {
namespace {

constexpr int kWrites = 1000;  // of the settings, and of the bests, by each game
constexpr int kOwnLevels = 20;

// One game: it saves its own setting and records a new best of its own each time, and
// tries to beat the other game on a level both play. Returns how many writes failed.
int playOneGame(const std::string& folder, bool first) {
    PlayerFiles files;
    // Durability is the kill test's business; here it would only slow the run down.
    files.calls.fsync = [](int) { return 0; };
    int failed = 0;
    BestTimes bests(files, folder + "/scores.txt", [&failed](const std::string&) { ++failed; });
    bests.Load();
    Settings mine;
    const std::string own = first ? "a" : "b";
    for (int i = 1; i <= kWrites; ++i) {
        (first ? mine.fullscreenOn : mine.musicOn) = i % 2 == 1;
        std::string why;
        if (!saveSettings(files, folder + "/options.txt", mine, first ? changed::kFullscreen : changed::kMusic, why))
            ++failed;
        if (!bests.Record(own + std::to_string(i % kOwnLevels), static_cast<std::int16_t>(i))) ++failed;
        bests.Record("both", static_cast<std::int16_t>(2 * i + (first ? 0 : 1)));
    }
    return failed;
}

pid_t startGame(const std::string& folder, bool first) {
    const pid_t pid = ::fork();
    if (pid == 0) ::_exit(std::min(playOneGame(folder, first), 100));
    return pid;
}

// Reads both files over and over until both games have ended; returns the problems seen.
struct Reader {
    explicit Reader(std::string f) : folder(std::move(f)) {}
    const std::string folder;
    int reads = 0;
    std::vector<std::string> problems;
    std::map<std::string, int> highest;  // each level's best as last read

    void ReadOnce() {
        ++reads;
        static const std::regex kSettings("fullscreen:o(n|ff)\r\nmusic:o(n|ff)\r\nlevel:01\r\n");
        std::string text, why;
        if (!readRegularFile(folder + "/options.txt", 4096, text, why))
            problems.push_back("settings unreadable: " + why);
        else if (!std::regex_match(text, kSettings))
            problems.push_back("settings read as \"" + text + "\"");
        if (!readRegularFile(folder + "/scores.txt", 1 << 16, text, why)) return;  // none yet
        const auto bests = parseBestTimes(text);
        if (!bests || text.empty() || !text.ends_with("\r\n")) {
            problems.push_back("scores read as \"" + text + "\"");
            return;
        }
        for (const auto& [level, seconds] : *bests) {
            int& before = highest[level];
            if (seconds < before) problems.push_back(level + " fell from " + std::to_string(before));
            before = seconds;
        }
    }
};

TEST(TwoGamesAtOnce, NoWriteFailsNoReadSeesAPartAndNoBestIsLost) {
    ProgramFolder folder(false);
    folder.write("options.txt", "fullscreen:off\r\nmusic:off\r\nlevel:01\r\n");
    const pid_t games[] = {startGame(folder.str(), true), startGame(folder.str(), false)};
    ASSERT_GT(games[0], 0);
    ASSERT_GT(games[1], 0);

    Reader reader(folder.str());
    int statuses[2] = {-1, -1};
    int running = 2;
    while (running > 0) {
        reader.ReadOnce();
        for (int g = 0; g < 2; ++g) {
            if (statuses[g] != -1) continue;
            int status = 0;
            if (::waitpid(games[g], &status, WNOHANG) == games[g]) {
                statuses[g] = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
                --running;
            }
        }
    }
    reader.ReadOnce();
    EXPECT_EQ(statuses[0], 0) << "failed writes of the first game";
    EXPECT_EQ(statuses[1], 0) << "failed writes of the second game";
    EXPECT_EQ(reader.problems, std::vector<std::string>{}) << "in " << reader.reads << " reads";

    // Each game's last choice of its own setting, and every best of both.
    EXPECT_EQ(folder.read("options.txt"), "fullscreen:off\r\nmusic:off\r\nlevel:01\r\n");
    std::map<std::string, std::int16_t> expected{{"both", 2 * kWrites + 1}};
    for (int i = 1; i <= kWrites; ++i) {
        expected["a" + std::to_string(i % kOwnLevels)] = static_cast<std::int16_t>(i);
        expected["b" + std::to_string(i % kOwnLevels)] = static_cast<std::int16_t>(i);
    }
    EXPECT_EQ(parseBestTimes(folder.read("scores.txt")), expected);
    EXPECT_EQ(leftovers(folder), std::vector<std::string>{});
}

}  // namespace
}  // namespace tk::test

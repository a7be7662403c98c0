// The game's command line: what each way of starting asks for, what is refused and how, and
// the real program refusing a level file and a missing display before any window opens.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "support/file_tree.h"
#include <unistd.h>

namespace tk::test {
namespace {

using Kind = StartRequest::Kind;

CommandLine read(std::vector<std::string> args) { return readCommandLine(args); }

TEST(CommandLine, EachWayOfStartingIsReadIntoTheRequest) {
    EXPECT_EQ(read({}).request.kind, Kind::Menu);

    CommandLine line = read({"my levels/a.kulap"});
    ASSERT_TRUE(line.start);
    EXPECT_EQ(line.request.kind, Kind::File);
    EXPECT_EQ(line.request.path, "my levels/a.kulap");

    line = read({"--level", "07"});
    EXPECT_EQ(line.request.kind, Kind::Level);
    EXPECT_EQ(line.request.name, "07");
    EXPECT_EQ(read({"--level=a..b"}).request.name, "a..b") << "dots inside a name are fine, as in the chooser";

    EXPECT_EQ(read({"--daily"}).request.kind, Kind::Daily);

    line = read({"--random", "hard"});
    EXPECT_EQ(line.request.kind, Kind::Random);
    EXPECT_EQ(line.request.band, Difficulty::Hard);
    EXPECT_FALSE(line.request.seed.has_value());
    line = read({"--seed", "18446744073709551615", "--random", "expert"});
    EXPECT_EQ(line.request.band, Difficulty::Expert);
    EXPECT_EQ(line.request.seed, 18446744073709551615ull);
    EXPECT_EQ(read({"--random", "easy", "--seed", "0"}).request.seed, 0u);
}

TEST(CommandLine, HelpAndVersionPrintAndEndWell) {
    for (const char* flag : {"--help", "-h"}) {
        const CommandLine line = read({flag});
        EXPECT_FALSE(line.start);
        EXPECT_EQ(line.status, 0);
        EXPECT_EQ(line.err, "");
        for (const char* option : {"--level NAME", "--daily", "--random BAND", "--seed N", "--version", "FILE.kulap"})
            EXPECT_NE(line.out.find(option), std::string::npos) << option;
    }
    EXPECT_FALSE(read({"--random", "silly", "--help"}).start) << "help wins over a bad word";
    const CommandLine version = read({"--version"});
    EXPECT_FALSE(version.start);
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("tramolkulap ", 0), 0u);
    EXPECT_EQ(version.out.back(), '\n');
}

TEST(CommandLine, ABadCommandLineEndsWithStatusTwoAndSaysWhatWasWrong) {
    struct Case {
        std::vector<std::string> args;
        const char* said;
    };
    for (const Case& c : {Case{{"--random", "silly"}, "silly"}, Case{{"--random"}, "--random"},
                          Case{{"--seed", "3"}, "--seed requires --random"},
                          Case{{"--random", "hard", "--seed", "-1"}, "--seed"},
                          Case{{"--random", "hard", "--seed", "x"}, "--seed"},
                          Case{{"--level", "../x"}, "not a plain level name"},
                          Case{{"--level", "a/b"}, "not a plain level name"}, Case{{"--level", ""}, "--level"},
                          Case{{"--daily", "--level", "01"}, "excludes"}, Case{{"a.kulap", "--daily"}, "excludes"},
                          Case{{"--random", "easy", "a.kulap"}, "excludes"}, Case{{"a.kulap", "b.kulap"}, "b.kulap"},
                          Case{{"--fast"}, "--fast"}}) {
        std::string all;
        for (const std::string& a : c.args) all += a + " ";
        SCOPED_TRACE(all);
        const CommandLine line = read(c.args);
        EXPECT_FALSE(line.start);
        EXPECT_EQ(line.status, 2);
        EXPECT_EQ(line.out, "");
        EXPECT_EQ(line.err.rfind("tramolkulap: ", 0), 0u) << line.err;
        EXPECT_NE(line.err.find(c.said), std::string::npos) << line.err;
        EXPECT_NE(line.err.find("--help"), std::string::npos) << "where to read more";
    }
}

// The real program, on SDL's dummy drivers where it needs a window at all.
class GameProcess : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() / ("tk_command_line_" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    // A game that wrongly starts (on the dummy driver, nobody to close it) is ended after a
    // minute, so that the test fails instead of waiting for ever.
    CommandRun game(const std::string& environment, const std::string& args) {
        return runCommand("cd '" + dir_.string() + "' && timeout -s KILL 60 env " + environment + " '" TK_GAME_EXE "' " +
                          args);
    }
    std::filesystem::path dir_;
};

TEST_F(GameProcess, ALevelFileTheGameCannotPlayIsRefusedAsTheLevelsToolRefusesIt) {
    std::ofstream(dir_ / "broken.kulap") << "title\r\n";
    std::filesystem::create_directory(dir_ / "folder.kulap");
    const std::string dummy = "SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy";
    for (const char* file : {"broken.kulap", "folder.kulap", "missing.kulap"}) {
        SCOPED_TRACE(file);
        const CommandRun run = game(dummy, file);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, "");
        // The same "FILE:LINE: message" lines as `tramolkulap-levels check` prints.
        const CommandRun check = runCommand("cd '" + dir_.string() + "' && '" TK_LEVELS_TOOL "' check " + file);
        EXPECT_EQ(check.status, 1);
        std::string expected;
        for (std::size_t start = 0, end; start < check.out.size(); start = end + 1) {
            end = check.out.find('\n', start);
            expected += "TramolKulap: " + check.out.substr(start, end + 1 - start);
        }
        EXPECT_EQ(run.err, expected);
    }
}

TEST_F(GameProcess, WithoutADisplayItEndsWithStatusOneAndOneLineNamingWhatIsMissing) {
    CommandRun run = game("-u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER SDL_AUDIODRIVER=dummy", "");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err,
              "TramolKulap: cannot reach the display: no X11 or Wayland display could be opened "
              "(DISPLAY is not set, WAYLAND_DISPLAY is not set)\n");
    run = game("SDL_VIDEODRIVER=nonesuch SDL_AUDIODRIVER=dummy", "");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "TramolKulap: cannot reach the display: nonesuch not available\n");
    run = game("-u DISPLAY SDL_VIDEODRIVER=dummy", "--random nope");
    EXPECT_EQ(run.status, 2) << "the command line is read before the display is sought";
}

}  // namespace
}  // namespace tk::test

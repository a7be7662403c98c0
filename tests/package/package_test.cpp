// The Debian package made by CPack (the test set-up builds it): lintian finds no error, its
// dependencies are the packages of the libraries the game links, and unpacked into a
// scratch root (dpkg -x) the installed game starts headless, and its data plays a level,
// with every setting written under a scratch XDG_CONFIG_HOME and nothing into the install.
#include <gtest/gtest.h>

#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "app/program.h"
#include "platform/headless_platform.h"
#include "support/file_tree.h"
#include "support/level_player.h"
#include "support/program_folder.h"
#include "package_fixture.h"

namespace tk::test {
namespace {

namespace fs = std::filesystem;

TEST_F(Package, LintianFindsNoError) {
    const CommandRun lintian = runCommand("lintian --fail-on error '" + deb_.string() + "'");
    EXPECT_EQ(lintian.status, 0) << lintian.out << lintian.err;
    EXPECT_EQ(lintian.out.find("\nE: "), std::string::npos) << lintian.out;
}

TEST_F(Package, ItDependsOnThePackagesOfTheLibrariesTheGameLinks) {
    const CommandRun fields = runCommand("dpkg-deb -f '" + deb_.string() + "' Package Section Depends");
    ASSERT_EQ(fields.status, 0);
    EXPECT_NE(fields.out.find("Package: tramolkulap\n"), std::string::npos);
    EXPECT_NE(fields.out.find("Section: games\n"), std::string::npos);
    for (const char* package : {"libsdl2-2.0-0", "libsdl2-image-2.0-0", "libsdl2-mixer-2.0-0", "libsdl2-ttf-2.0-0",
                                "liblitehtml0", "libfontconfig1", "libstdc++6", "fonts-liberation2", "fonts-dejavu-core"})
        EXPECT_NE(fields.out.find(package), std::string::npos) << package << " in " << fields.out;
    for (const char* file : {"usr/games/tramolkulap", "usr/games/tramolkulap-levels",
                             "usr/share/tramolkulap/levels/30.kulap", "usr/share/applications/cz.tramolkulap.TramolKulap.desktop",
                             "usr/share/doc/tramolkulap/copyright", "usr/share/man/man6/tramolkulap.6.gz"})
        EXPECT_TRUE(fs::exists(root_ / file)) << file;
}

// Waits, on inotify and for at most a minute, until `file` holds `content`.
bool AppearsWithContent(const fs::path& watchFrom, const fs::path& file, const std::string& content) {
    const int fd = ::inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    if (fd < 0) return false;
    const std::uint32_t events = IN_CREATE | IN_CLOSE_WRITE | IN_MOVED_TO;
    ::inotify_add_watch(fd, watchFrom.c_str(), events);
    bool watchingFolder = false, found = false;
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    while (std::chrono::steady_clock::now() < giveUp) {
        // Watch first, look second: nothing that happens between the two is missed.
        if (!watchingFolder && fs::is_directory(file.parent_path()))
            watchingFolder = ::inotify_add_watch(fd, file.parent_path().c_str(), events) >= 0;
        if (fs::exists(file) && readFile(file) == content) {
            found = true;
            break;
        }
        pollfd p{fd, POLLIN, 0};
        ::poll(&p, 1, 1000);
        char drain[4096];
        while (::read(fd, drain, sizeof drain) > 0) {
        }
    }
    ::close(fd);
    return found;
}

// The shipped program itself, started as a desktop would with SDL's dummy drivers: once
// start-up has copied the settings into the config folder, a SIGTERM (which SDL turns into a
// close request) ends it, with the status of a player's quit.
TEST_F(Package, TheInstalledGameStartsHeadlessAndWritesOnlyIntoTheConfigFolder) {
    ProgramFolder home{false};
    const fs::path config = home.path() / "config";
    fs::create_directories(config);
    const auto before = treeSnapshot(root_);
    const std::string exe = (root_ / "usr/games/tramolkulap").string();

    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        ::setenv("SDL_VIDEODRIVER", "dummy", 1);
        ::setenv("SDL_AUDIODRIVER", "dummy", 1);
        ::setenv("HOME", home.str().c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
        ::execl(exe.c_str(), exe.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    const bool copied = AppearsWithContent(config, config / "tramolkulap/options.txt",
                                           readFile(root_ / "usr/share/tramolkulap/options.txt"));
    ::kill(pid, SIGTERM);
    int status = 0;
    ::waitpid(pid, &status, 0);
    EXPECT_TRUE(copied) << "start-up copies the shipped settings into the config folder";
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_FALSE(fs::exists(config / "tramolkulap/AtToMluvi.Cesky")) << "a first run speaks English";
    EXPECT_EQ(treeSnapshot(root_), before) << "nothing written into the install";
    EXPECT_EQ(treeSnapshot(config).size(), 3u) << "the game's folder, its settings and its lock file, nothing else";
}

// A level played on the unpacked package's data and paths, with the twin: the test links
// the game's libraries and points them at the installed folders, so the shipped program
// needs no hook for tests.
TEST_F(Package, ItsDataPlaysALevelAndTheSettingsGoToTheConfigFolder) {
    std::vector<PlannedLevel> chain = planTheChain(root_ / "usr/share/tramolkulap/levels");
    ASSERT_FALSE(chain.empty());
    chain.resize(1);
    ProgramFolder config{false};
    const auto before = treeSnapshot(root_);

    HeadlessOptions o;
    o.programFolder = (root_ / "usr/games").string();
    o.userConfigHome = config.str();
    o.drawBoard = false;
    HeadlessPlatform plat(o);
    Program program(plat);
    Player player(plat, program, chain);
    player.Start(1310);
    EXPECT_EQ(program.Run(), 0);
    EXPECT_TRUE(player.finished);
    EXPECT_EQ(player.titlesWon, std::vector<std::string>{chain[0].level.titleEn});
    EXPECT_TRUE(plat.LogOf("notice").empty());
    EXPECT_EQ(readFile(config / "tramolkulap/options.txt"), readFile(root_ / "usr/share/tramolkulap/options.txt"));
    EXPECT_EQ(treeSnapshot(root_), before);
}

}  // namespace
}  // namespace tk::test

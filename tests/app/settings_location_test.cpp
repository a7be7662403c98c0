// Where the settings and the language marker live: beside the executable in a folder the
// player may write (a build, an unpacked copy), in the player's XDG config folder when the
// game runs from an install or from a folder it may not write to. The first installed run
// copies the shipped settings; every message names the file's real path.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

#include "app/paths.h"
#include "app/program.h"
#include "platform/headless_platform.h"
#include "platform/user_folders.h"
#include "support/file_tree.h"
#include "support/program_folder.h"

namespace tk::test {
namespace {

namespace fs = std::filesystem;

// An installed game in a scratch prefix: P/games holds the executables' folder and
// P/share/tramolkulap the data (linked to the source's data, the settings a copy), with
// the player's config folder beside it.
struct Installed {
    ProgramFolder scratch{false};
    fs::path prefix = scratch.path() / "prefix";
    fs::path games = prefix / "games";
    fs::path share = prefix / "share" / "tramolkulap";
    fs::path config = scratch.path() / "config";
    fs::path settings = config / "tramolkulap";

    Installed() {
        fs::create_directories(games);
        fs::create_directories(share);
        const fs::path data = TK_DATA_DIR;
        for (const char* dir : {"levels", "graphics", "sound", "music", "help"})
            fs::create_directory_symlink(data / dir, share / dir);
        fs::copy_file(data / "options.txt", share / "options.txt");
    }
    HeadlessOptions Options() const {
        HeadlessOptions o;
        o.programFolder = games.string();
        o.userConfigHome = config.string();
        o.drawBoard = false;
        return o;
    }
};

constexpr std::uint64_t kMenuReady = 1300;

// ---- the rule ------------------------------------------------------------------------

TEST(SettingsLocation, TheRuleByFolder) {
    ProgramFolder build;  // data beside the executable
    ProgramFolder empty{false};
    Installed installed;
    const std::string home = "/home/player/.config";
    const auto yes = [](const std::string&) { return true; };
    const auto no = [](const std::string&) { return false; };

    // A build or an unpacked folder the player may write: nothing moves.
    Paths p = LocatePaths(build.str(), home, yes);
    EXPECT_EQ(p.dataFolder(), build.str());
    EXPECT_EQ(p.Settings(), build.str() + "/options.txt");
    EXPECT_EQ(p.LanguageMarker(), build.str() + "/AtToMluvi.Cesky");
    EXPECT_FALSE(p.SettingsApart());

    // The same folder unpacked where the player may not write: the settings go home.
    p = LocatePaths(build.str(), home, no);
    EXPECT_EQ(p.dataFolder(), build.str());
    EXPECT_EQ(p.Settings(), home + "/tramolkulap/options.txt");
    EXPECT_EQ(p.LanguageMarker(), home + "/tramolkulap/AtToMluvi.Cesky");
    EXPECT_EQ(p.DefaultSettings(), build.str() + "/options.txt");

    // Installed: the data from share/, the settings home, even in a prefix the player owns.
    for (const auto& writable : {std::function<bool(const std::string&)>(yes), std::function<bool(const std::string&)>(no)}) {
        p = LocatePaths(installed.games.string(), home, writable);
        EXPECT_EQ(p.dataFolder(), installed.share.string());
        EXPECT_EQ(p.DataFile("okno.jpg"), installed.share.string() + "/graphics/okno.jpg");
        EXPECT_EQ(p.LevelFile("07"), installed.share.string() + "/levels/07.kulap");
        EXPECT_EQ(p.HelpPage("help"), installed.share.string() + "/help/help.html");
        EXPECT_EQ(p.Settings(), home + "/tramolkulap/options.txt");
        EXPECT_EQ(p.DefaultSettings(), installed.share.string() + "/options.txt");
    }

    // No data anywhere: the program folder, where start-up says what is missing.
    p = LocatePaths(empty.str(), home, no);
    EXPECT_EQ(p.dataFolder(), empty.str());
    EXPECT_EQ(p.Settings(), empty.str() + "/options.txt");
}

TEST(SettingsLocation, TheConfigFolderFromTheEnvironment) {
    EXPECT_EQ(XdgConfigHome("/x/cfg", "/home/p"), "/x/cfg");
    EXPECT_EQ(XdgConfigHome(nullptr, "/home/p"), "/home/p/.config");
    EXPECT_EQ(XdgConfigHome("", "/home/p/"), "/home/p/.config");
    // A relative XDG_CONFIG_HOME is not to be used.
    EXPECT_EQ(XdgConfigHome("cfg", "/home/p"), "/home/p/.config");
    EXPECT_EQ(XdgConfigHome(nullptr, "/"), "/.config");
    EXPECT_EQ(XdgConfigHome(nullptr, nullptr), "");
    EXPECT_EQ(XdgConfigHome("rel", ""), "");
}

// ---- the game run from an install ------------------------------------------------------

TEST(SettingsLocation, AnInstalledGameKeepsEverythingItWritesInTheConfigFolder) {
    Installed inst;
    const auto before = treeSnapshot(inst.prefix);
    {
        HeadlessPlatform plat(inst.Options());
        Program program(plat);
        // Options, then music off (saved), back, and Czech (the marker).
        std::uint64_t t = kMenuReady + 10;
        for (Key key : {Key::Down, Key::Return, Key::Down, Key::Down, Key::Return, Key::Up, Key::Up, Key::Return, Key::Down,
                        Key::Down, Key::Return})
            plat.Press(t += 100, key);
        plat.At(kMenuReady, [&] {
            EXPECT_EQ(readFile(inst.settings / "options.txt"), readFile(inst.share / "options.txt"))
                << "the first run starts from the shipped settings";
        });
        EXPECT_EQ(program.Run(), 0);
        EXPECT_TRUE(plat.LogOf("notice").empty());
        EXPECT_TRUE(program.language().isCzech());
        EXPECT_EQ(program.paths().dataFolder(), inst.share.string());
    }
    EXPECT_EQ(readFile(inst.settings / "options.txt"), "fullscreen:off\r\nmusic:off\r\nlevel:01\r\n");
    EXPECT_TRUE(fs::exists(inst.settings / "AtToMluvi.Cesky"));
    EXPECT_EQ(treeSnapshot(inst.prefix), before) << "nothing written into the install";

    // The next run takes the player's settings, not the shipped ones.
    HeadlessPlatform plat(inst.Options());
    Program program(plat);
    EXPECT_EQ(program.Run(), 0);
    EXPECT_TRUE(program.language().isCzech());
    EXPECT_FALSE(program.settings().musicOn);
    EXPECT_TRUE(plat.LogOf("music.play").empty());
    EXPECT_EQ(treeSnapshot(inst.prefix), before);
}

TEST(SettingsLocation, AWritableProgramFolderKeepsItsSettingsAndTheConfigFolderStaysUntouched) {
    ProgramFolder folder;
    ProgramFolder config{false};
    HeadlessOptions o;
    o.programFolder = folder.str();
    o.userConfigHome = config.str();
    HeadlessPlatform plat(o);
    Program program(plat);
    std::uint64_t t = kMenuReady + 10;
    for (Key key : {Key::Down, Key::Down, Key::Down, Key::Return}) plat.Press(t += 100, key);  // Czech
    EXPECT_EQ(program.Run(), 0);
    EXPECT_TRUE(folder.exists("AtToMluvi.Cesky"));
    EXPECT_TRUE(fs::is_empty(config.path()));
}

// Each failure names the file where it really is.
TEST(SettingsLocation, MessagesNameTheRealPaths) {
    struct Case {
        const char* what;
        std::function<void(Installed&)> spoil;
        std::vector<std::string> named;
    };
    const std::vector<Case> cases = {
        {"a folder in place of the player's settings file",
         [](Installed& i) { fs::create_directories(i.settings / "options.txt"); },
         {"settings file ", "/config/tramolkulap/options.txt: "}},
        {"no shipped settings to start from",
         [](Installed& i) { fs::remove(i.share / "options.txt"); },
         {"/config/tramolkulap/options.txt", "/prefix/share/tramolkulap/options.txt"}},
        {"a file where the settings folder should be",
         [](Installed& i) {
             fs::create_directories(i.config);
             std::ofstream(i.settings) << "x";
         },
         {"settings folder ", "/config/tramolkulap"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Installed inst;
        c.spoil(inst);
        HeadlessPlatform plat(inst.Options());
        Program program(plat);
        EXPECT_EQ(program.Run(), 1);
        const auto boxes = plat.LogOf("notice");
        ASSERT_EQ(boxes.size(), 1u);
        for (const std::string& part : c.named) EXPECT_NE(boxes[0].detail.find(part), std::string::npos) << boxes[0].detail;
        EXPECT_EQ(boxes[0].detail.find("/prefix/games"), std::string::npos) << "never the executable's folder";
    }
}

// What a first run leaves behind when it fails (the disk full, the game killed while it
// copies) or what a later mishap makes of the file is no choice of the player's: it is
// set aside with its history, the shipped settings are copied afresh, and start-up says so.
TEST(SettingsLocation, AnEmptyOrDamagedSettingsFileIsSetAsideAndTheDefaultsCopiedAfresh) {
    Installed inst;
    fs::create_directories(inst.settings);
    const std::string shipped = readFile(inst.share / "options.txt");
    const std::vector<std::string> damaged = {"", "fullscreen:off\r\nmusic:on\r\n", std::string("\0", 1)};
    for (std::size_t n = 0; n < damaged.size(); ++n) {
        SCOPED_TRACE(n);
        std::ofstream(inst.settings / "options.txt", std::ios::binary) << damaged[n];
        HeadlessPlatform plat(inst.Options());
        Program program(plat);
        EXPECT_EQ(program.Run(), 0) << "every start after such a run starts";
        EXPECT_EQ(readFile(inst.settings / "options.txt"), shipped);
        EXPECT_EQ(readFile(inst.settings / "options.txt.bad"), damaged[n]);
        const std::string aside = (inst.settings / "options.txt.bad").string();
        EXPECT_EQ(program.settingsSetAside(), aside) << "kept for the window to tell";
        const auto notices = plat.LogOf("notice");
        ASSERT_EQ(notices.size(), 1u);
        EXPECT_EQ(notices[0].detail,
                  "The settings file was damaged: it is set aside as options.txt.bad and the shipped settings apply.");
        const auto lines = plat.LogOf("stderr");
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_NE(lines[0].detail.find((inst.settings / "options.txt").string() + " was damaged"), std::string::npos)
            << lines[0].detail;
        EXPECT_NE(lines[0].detail.find("moved to " + aside), std::string::npos) << lines[0].detail;
        const auto files = plat.LogOf("file.aside");
        ASSERT_EQ(files.size(), 1u);
        EXPECT_EQ(plat.LogOf("file.write").size(), 1u);
    }
    // The earlier ones are kept too, the latest first.
    EXPECT_EQ(readFile(inst.settings / "options.txt.bad.1"), damaged[1]);
    EXPECT_EQ(readFile(inst.settings / "options.txt.bad.2"), damaged[0]);
}

// A Czech install (its data in a folder the player may not write, with the marker) starts
// in Czech on its first run: the marker travels with the copied settings, and what is
// copied gets the player's usual mode, not the install's read-only one.
TEST(SettingsLocation, TheFirstRunCopiesTheMarkerWithTheSettingsInThePlayersMode) {
    Installed inst;
    std::ofstream(inst.share / "AtToMluvi.Cesky");
    fs::permissions(inst.share / "options.txt", fs::perms(0444));
    const mode_t before = ::umask(022);
    HeadlessPlatform plat(inst.Options());
    Program program(plat);
    EXPECT_EQ(program.Run(), 0);
    ::umask(before);
    EXPECT_TRUE(program.language().isCzech());
    EXPECT_TRUE(fs::exists(inst.settings / "AtToMluvi.Cesky"));
    EXPECT_EQ(fs::status(inst.settings / "options.txt").permissions(), fs::perms(0644));
    std::vector<std::string> written;
    for (const Recorded& r : plat.LogOf("file.write")) written.push_back(fs::path(r.detail).filename().string());
    EXPECT_EQ(written, (std::vector<std::string>{"AtToMluvi.Cesky", "options.txt"})) << "the marker first";
    EXPECT_TRUE(plat.LogOf("stderr").empty());
}

// A marker that cannot be written does not stop the game; what is said about it on
// standard error names the marker in the config folder.
TEST(SettingsLocation, AMarkerThatCannotBeWrittenIsNamedWhereItIs) {
    Installed inst;
    fs::create_directories(inst.settings / "AtToMluvi.Cesky");
    HeadlessPlatform plat(inst.Options());
    Program program(plat);
    EXPECT_EQ(program.Run(), 0);
    bool named = false;
    for (const Recorded& r : plat.LogOf("stderr"))
        named = named || r.detail.find(inst.settings.string() + "/AtToMluvi.Cesky") != std::string::npos;
    EXPECT_TRUE(named);
}

}  // namespace
}  // namespace tk::test

// The resource paths and the settings file, read and rewritten without running the whole program.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/paths.h"
#include "app/settings.h"
#include "platform/fatal_error.h"
#include "support/program_folder.h"

namespace tk::test {
namespace {

namespace fs = std::filesystem;

// An empty program folder, its paths and the settings as the program would hold them.
struct Bare {
    ProgramFolder folder{false};
    Paths paths{folder.str()};
    Settings s;
    void settings(const std::string& text) { folder.write("options.txt", text); }
    void read() { s = readSettings(paths.Settings()); }
    void save() { ulozNastaveni(paths.Settings(), s); }
};

TEST(ResourcePaths, ExtensionChoosesTheFolderAndTheNameKeepsItsCase) {
    Bare b;
    const std::string root = b.folder.str();
    EXPECT_EQ(b.paths.dataFolder(), root);
    EXPECT_EQ(b.paths.settingsFolder(), root);
    EXPECT_EQ(b.paths.LP("01.kulap"), root + "/levels/01.kulap");
    EXPECT_EQ(b.paths.LP("Bonus.KuLaP"), root + "/levels/Bonus.KuLaP");
    EXPECT_EQ(b.paths.LP(".KULAP"), root + "/levels/.KULAP");
    // Pictures, the bare word, a name that merely contains it, and nothing at all.
    EXPECT_EQ(b.paths.LP("okno.jpg"), root + "/graphics/okno.jpg");
    EXPECT_EQ(b.paths.LP("kulap"), root + "/graphics/kulap");
    EXPECT_EQ(b.paths.LP("mykulap"), root + "/graphics/mykulap");
    EXPECT_EQ(b.paths.LP("a.kulap.png"), root + "/graphics/a.kulap.png");
    EXPECT_EQ(b.paths.LP("x.kulapx"), root + "/graphics/x.kulapx");
    EXPECT_EQ(b.paths.LP(""), root + "/graphics/");
    EXPECT_EQ(b.paths.Settings(), root + "/options.txt");
    EXPECT_EQ(b.paths.LanguageMarker(), root + "/AtToMluvi.Cesky");
}

TEST(SettingsRead, OnlyTheExactWordsSwitchSomethingOn) {
    struct Case {
        const char* text;
        bool fullscreen, music;
        const char* level;
    };
    const Case cases[] = {
        {"fullscreen:on\r\nmusic:off\r\nlevel:abc\r\n", true, false, "abc"},
        {"fullscreen:off\r\nmusic:on\r\nlevel:07\r\n", false, true, "07"},
        {"Fullscreen:on\r\nMusic:on\r\nlevel:a\r\n", false, false, "a"},
        {"fullscreen:on \r\nmusic:on \r\nlevel:a\r\n", false, false, "a"},
        {"fullscreen:yes\r\nmusic:ON\r\nlevel:a\r\n", false, false, "a"},
        {" fullscreen:on\r\nmusic:on\r\nlevel:a\r\n", false, true, "a"},
        // Lines are taken by position: swapped lines switch both off.
        {"music:on\r\nfullscreen:on\r\nlevel:a\r\n", false, false, "a"},
        // The third line loses its first six characters, whatever they are.
        {"fullscreen:on\r\nmusic:on\r\nlevel:\r\n", true, true, ""},
        {"fullscreen:on\r\nmusic:on\r\nlevel\r\n", true, true, ""},
        {"fullscreen:on\r\nmusic:on\r\nxxxxxxabc\r\n", true, true, "abc"},
        {"fullscreen:on\r\nmusic:on\r\nlevel: spaced name \r\n", true, true, " spaced name "},
        // Characters, not bytes: six accented letters are skipped whole.
        {"fullscreen:on\r\nmusic:on\r\n\xC3\x9A\xC5\x99\xC3\xAD\xC4\x8D\xC3\xA1\xC5\xBE"
         "abc\r\n", true, true, "abc"},
        {"fullscreen:on\r\nmusic:on\r\nlevel:\xC3\x9Arove\xC5\x88\r\n", true, true,
         "\xC3\x9Arove\xC5\x88"},
        // Other line ends, no ending on the last line, and lines after the third.
        {"fullscreen:on\nmusic:on\nlevel:lf\n", true, true, "lf"},
        {"fullscreen:on\rmusic:on\rlevel:cr", true, true, "cr"},
        {"fullscreen:off\r\nmusic:on\r\nlevel:x\r\nfullscreen:on\r\nrubbish", false, true, "x"},
        {"\xEF\xBB\xBF" "fullscreen:on\r\nmusic:on\r\nlevel:bom\r\n", true, true, "bom"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Bare b;
        b.s.fullscreenOn = !c.fullscreen;
        b.s.musicOn = !c.music;
        b.s.currentLevel = "stale";
        b.settings(c.text);
        ASSERT_NO_THROW(b.read());
        EXPECT_EQ(b.s.fullscreenOn, c.fullscreen);
        EXPECT_EQ(b.s.musicOn, c.music);
        EXPECT_EQ(b.s.currentLevel, c.level);
    }
}

TEST(SettingsRead, MissingOrShortFileStopsWithItsName) {
    {
        Bare b;
        try {
            b.read();
            FAIL() << "a missing settings file must stop start-up";
        } catch (const FatalError& e) {
            EXPECT_NE(std::string(e.what()).find(b.paths.Settings()), std::string::npos);
            EXPECT_NE(std::string(e.what()).find("not found"), std::string::npos);
        }
        EXPECT_FALSE(b.folder.exists("options.txt")) << "the file is not created";
    }
    for (const char* text : {"", "fullscreen:on\r\nmusic:on\r\n", "fullscreen:on\r\nmusic:on",
                             "\r\n\r\n"}) {
        SCOPED_TRACE(text);
        Bare b;
        b.settings(text);
        EXPECT_THROW(b.read(), FatalError);
        EXPECT_EQ(b.folder.read("options.txt"), text);
    }
    {
        Bare b;
        fs::create_directory(b.folder / "options.txt");
        EXPECT_THROW(b.read(), FatalError);
    }
    // Three empty lines are three lines.
    Bare b;
    b.settings("\r\n\r\n\r\n");
    EXPECT_NO_THROW(b.read());
    EXPECT_FALSE(b.s.fullscreenOn);
    EXPECT_EQ(b.s.currentLevel, "");
}

TEST(SettingsWrite, ThreeCrLfLinesThatReadBackTheSame) {
    Bare b;
    b.settings("old content that is longer than the new one\r\n\r\n\r\n\r\n");
    b.s.fullscreenOn = true;
    b.s.musicOn = false;
    b.s.currentLevel = "abc";
    b.save();
    EXPECT_EQ(b.folder.read("options.txt"), "fullscreen:on\r\nmusic:off\r\nlevel:abc\r\n");
    EXPECT_FALSE(b.folder.exists("options.txt.tmp"));

    b.s.fullscreenOn = false;
    b.s.musicOn = true;
    b.s.currentLevel = "\xC3\x9Arove\xC5\x88 7";
    b.save();
    EXPECT_EQ(b.folder.read("options.txt"),
              "fullscreen:off\r\nmusic:on\r\nlevel:\xC3\x9Arove\xC5\x88 7\r\n");
    b.s.fullscreenOn = true;
    b.s.musicOn = false;
    b.s.currentLevel.clear();
    b.read();
    EXPECT_FALSE(b.s.fullscreenOn);
    EXPECT_TRUE(b.s.musicOn);
    EXPECT_EQ(b.s.currentLevel, "\xC3\x9Arove\xC5\x88 7");

    // A missing file is created.
    b.folder.remove("options.txt");
    b.s.currentLevel = "";
    b.save();
    EXPECT_EQ(b.folder.read("options.txt"), "fullscreen:off\r\nmusic:on\r\nlevel:\r\n");
}

TEST(SettingsWrite, AFailedWriteLeavesTheOldFileWholeAndStops) {
    Bare b;
    const std::string old = "fullscreen:off\r\nmusic:on\r\nlevel:07\r\n";
    b.settings(old);
    // Something that is not a file sits where the new content would be written first.
    fs::create_directory(b.folder / "options.txt.tmp");
    b.s.fullscreenOn = true;
    b.s.currentLevel = "99";
    try {
        b.save();
        FAIL() << "a failed write must not pass for a saved file";
    } catch (const FatalError& e) {
        EXPECT_NE(std::string(e.what()).find(b.paths.Settings()), std::string::npos);
    }
    EXPECT_EQ(b.folder.read("options.txt"), old);
    EXPECT_TRUE(fs::is_directory(b.folder / "options.txt.tmp")) << "not ours to remove";

    // A folder that has gone away: nothing is left behind and nothing passes for success.
    Bare gone;
    EXPECT_THROW(ulozNastaveni((gone.folder / "missing" / "options.txt").string(), gone.s), FatalError);
    EXPECT_FALSE(fs::exists(gone.folder / "missing"));
}

TEST(SettingsWrite, AFullDiskLeavesTheOldFileWhole) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
    Bare b;
    const std::string old = "fullscreen:on\r\nmusic:off\r\nlevel:abc\r\n";
    b.settings(old);
    // Every write to the temporary file fails as on a full disk.
    fs::create_symlink("/dev/full", b.folder / "options.txt.tmp");
    b.s.musicOn = true;
    EXPECT_THROW(b.save(), FatalError);
    EXPECT_EQ(b.folder.read("options.txt"), old);
    EXPECT_FALSE(fs::exists(fs::symlink_status(b.folder / "options.txt.tmp")));
}

}  // namespace
}  // namespace tk::test

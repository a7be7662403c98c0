// The resource paths and the settings file, read and rewritten without running the whole program.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <iterator>
#include <sys/stat.h>

#include "app/paths.h"
#include "app/settings.h"
#include "platform/fatal_error.h"
#include "puzzle/level_file.h"
#include "support/program_folder.h"

namespace tk::test {
namespace {

namespace fs = std::filesystem;

// An empty program folder, its paths and the settings as the program would hold them.
struct Bare {
    ProgramFolder folder{false};
    Paths paths{folder.str()};
    PlayerFiles files;
    Settings s;
    std::string warning;  // what reading told standard error
    std::string why;      // why the last save failed
    void settings(const std::string& text) { folder.write("options.txt", text); }
    void read() { s = readSettings(paths.Settings(), &warning); }
    bool save(unsigned changedSettings = changed::kAll) {
        return saveSettings(files, paths.Settings(), s, changedSettings, why);
    }
};

TEST(ResourcePaths, ExtensionChoosesTheFolderAndTheNameKeepsItsCase) {
    Bare b;
    const std::string root = b.folder.str();
    EXPECT_EQ(b.paths.dataFolder(), root);
    EXPECT_EQ(b.paths.settingsFolder(), root);
    EXPECT_EQ(b.paths.DataFile("01.kulap"), root + "/levels/01.kulap");
    EXPECT_EQ(b.paths.DataFile("Bonus.KuLaP"), root + "/levels/Bonus.KuLaP");
    EXPECT_EQ(b.paths.DataFile(".KULAP"), root + "/levels/.KULAP");
    // Pictures, the bare word, a name that merely contains it, and nothing at all.
    EXPECT_EQ(b.paths.DataFile("okno.jpg"), root + "/graphics/okno.jpg");
    EXPECT_EQ(b.paths.DataFile("kulap"), root + "/graphics/kulap");
    EXPECT_EQ(b.paths.DataFile("mykulap"), root + "/graphics/mykulap");
    EXPECT_EQ(b.paths.DataFile("a.kulap.png"), root + "/graphics/a.kulap.png");
    EXPECT_EQ(b.paths.DataFile("x.kulapx"), root + "/graphics/x.kulapx");
    EXPECT_EQ(b.paths.DataFile(""), root + "/graphics/");
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
    EXPECT_TRUE(b.save());
    EXPECT_EQ(b.folder.read("options.txt"), "fullscreen:on\r\nmusic:off\r\nlevel:abc\r\n");
    EXPECT_EQ(leftovers(b.folder), std::vector<std::string>{});

    b.s.fullscreenOn = false;
    b.s.musicOn = true;
    b.s.currentLevel = "\xC3\x9Arove\xC5\x88 7";
    EXPECT_TRUE(b.save());
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
    EXPECT_TRUE(b.save());
    EXPECT_EQ(b.folder.read("options.txt"), "fullscreen:off\r\nmusic:on\r\nlevel:\r\n");
}

TEST(SettingsRead, ALevelNameThatIsNotPlainFallsBackToTheFirstLevelAndSaysSo) {
    const std::string tooLong(kMaxLevelNameBytes + 1, 'a');
    for (const std::string& name : {std::string("../../x"), std::string("a/b"), std::string(".."),
                                    std::string("a\\b"), std::string("tab\there"), tooLong}) {
        SCOPED_TRACE(name.substr(0, 20));
        Bare b;
        b.settings("fullscreen:on\r\nmusic:off\r\nlevel:" + name + "\r\n");
        b.read();
        EXPECT_EQ(b.s.currentLevel, "01");
        EXPECT_TRUE(b.s.fullscreenOn) << "the other settings are read as usual";
        EXPECT_NE(b.warning.find(b.paths.Settings()), std::string::npos) << b.warning;
    }
    // The longest name a level file can have is kept, and so is an empty one.
    for (const std::string& name : {std::string(kMaxLevelNameBytes, 'b'), std::string()}) {
        Bare b;
        b.settings("fullscreen:on\r\nmusic:off\r\nlevel:" + name + "\r\n");
        b.read();
        EXPECT_EQ(b.s.currentLevel, name);
        EXPECT_TRUE(b.warning.empty());
    }
}

TEST(SettingsRead, AFifoInPlaceOfTheFileStopsStartUpInsteadOfWaiting) {
    Bare b;
    ASSERT_EQ(::mkfifo((b.folder / "options.txt").c_str(), 0600), 0);
    try {
        b.read();
        FAIL() << "a FIFO is not a settings file";
    } catch (const FatalError& e) {
        EXPECT_NE(std::string(e.what()).find("FIFO"), std::string::npos) << e.what();
    }
}

TEST(SettingsWrite, OnlyTheSettingsThisGameChangedReplaceWhatAnotherGameSaved) {
    Bare b;
    // This game started with everything off and has since chosen level 05 and music.
    b.s.musicOn = true;
    b.s.currentLevel = "05";
    // Meanwhile another game switched full screen on and chose level 09.
    b.settings("fullscreen:on\r\nmusic:off\r\nlevel:09\r\n");
    EXPECT_TRUE(b.save(changed::kMusic)) << b.why;
    EXPECT_EQ(b.folder.read("options.txt"), "fullscreen:on\r\nmusic:on\r\nlevel:09\r\n");
    EXPECT_TRUE(b.save(changed::kMusic | changed::kLevel)) << b.why;
    EXPECT_EQ(b.folder.read("options.txt"), "fullscreen:on\r\nmusic:on\r\nlevel:05\r\n");
    // A file too short to merge with takes all three.
    b.settings("fullscreen:on\r\n");
    EXPECT_TRUE(b.save(changed::kMusic)) << b.why;
    EXPECT_EQ(b.folder.read("options.txt"), "fullscreen:off\r\nmusic:on\r\nlevel:05\r\n");
}

TEST(SettingsWrite, AFailedWriteLeavesTheOldFileWholeAndSaysWhy) {
    Bare b;
    const std::string old = "fullscreen:off\r\nmusic:on\r\nlevel:07\r\n";
    b.settings(old);
    b.s.fullscreenOn = true;
    b.s.currentLevel = "99";
    // The disk full while writing, or the rename refused.
    b.files.calls.write = [](int, const void*, size_t) -> ssize_t {
        errno = ENOSPC;
        return -1;
    };
    EXPECT_FALSE(b.save()) << "a failed write must not pass for a saved file";
    EXPECT_NE(b.why.find("No space left on device"), std::string::npos) << b.why;
    EXPECT_EQ(b.folder.read("options.txt"), old);
    EXPECT_EQ(leftovers(b.folder), std::vector<std::string>{});
    b.files.calls = realFileCalls();
    b.files.calls.rename = [](const char*, const char*) {
        errno = EXDEV;
        return -1;
    };
    EXPECT_FALSE(b.save());
    EXPECT_NE(b.why.find("cannot replace " + b.paths.Settings()), std::string::npos) << b.why;
    EXPECT_EQ(b.folder.read("options.txt"), old);
    EXPECT_EQ(leftovers(b.folder), std::vector<std::string>{});

    // A folder that has gone away: nothing is left behind and nothing passes for success.
    Bare gone;
    EXPECT_FALSE(saveSettings(gone.files, (gone.folder / "missing" / "options.txt").string(), gone.s, changed::kAll,
                              gone.why));
    EXPECT_FALSE(fs::exists(gone.folder / "missing"));
    EXPECT_FALSE(gone.why.empty());
}

TEST(SettingsWrite, WhatLiesAtAnOldTemporaryNameIsNeitherFollowedNorRemoved) {
    Bare b;
    b.settings("fullscreen:off\r\nmusic:off\r\nlevel:01\r\n");
    b.folder.write("precious.txt", "the player's own file");
    fs::create_symlink(b.folder / "precious.txt", b.folder / "options.txt.tmp");
    b.folder.write("options.txt.tmp.1.2", "");  // another writer's, and that writer (pid 1) lives
    b.s.musicOn = true;
    b.s.currentLevel = "01";
    EXPECT_TRUE(b.save()) << b.why;
    EXPECT_EQ(b.folder.read("precious.txt"), "the player's own file");
    EXPECT_FALSE(fs::is_symlink(b.folder / "options.txt"));
    EXPECT_EQ(b.folder.read("options.txt"), "fullscreen:off\r\nmusic:on\r\nlevel:01\r\n");
    EXPECT_EQ(leftovers(b.folder), (std::vector<std::string>{"options.txt.tmp", "options.txt.tmp.1.2"}));
}

TEST(SettingsWrite, ALinkedSettingsFileIsWrittenThroughToItsTarget) {
    Bare b;
    b.folder.write("elsewhere/settings.txt", "fullscreen:off\r\nmusic:off\r\nlevel:01\r\n");
    fs::create_symlink(b.folder / "elsewhere/settings.txt", b.folder / "options.txt");
    b.s.fullscreenOn = true;
    b.s.currentLevel = "05";
    EXPECT_TRUE(b.save()) << b.why;
    EXPECT_TRUE(fs::is_symlink(b.folder / "options.txt")) << "the link stays a link";
    EXPECT_FALSE(fs::is_symlink(b.folder / "elsewhere/settings.txt"));
    EXPECT_EQ(b.folder.read("elsewhere/settings.txt"), "fullscreen:on\r\nmusic:off\r\nlevel:05\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(b.folder / "elsewhere"), fs::directory_iterator()), 1)
        << "no temporary file is left beside the target";
}

TEST(ResourcePaths, TheBestTimesLieBesideTheSettingsWhereverThoseAre) {
    Bare b;
    EXPECT_EQ(fs::path(b.paths.Scores()), fs::path(b.paths.Settings()).parent_path() / "scores.txt");
}

}  // namespace
}  // namespace tk::test

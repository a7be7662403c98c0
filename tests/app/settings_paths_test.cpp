// The resource paths and the settings file, read and rewritten without running the whole program.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <iterator>
#include <sys/stat.h>

#include "app/settings_io.h"
#include "puzzle/level_file.h"

#include "support/game_fixture.h"

namespace tk::test {
namespace {

namespace fs = std::filesystem;

struct Bare : GameFixture {
    Bare() : GameFixture(HeadlessOptions{}, false) {}
    void settings(const std::string& text) { folder.write("options.txt", text); }
};

TEST(ResourcePaths, ExtensionChoosesTheFolderAndTheNameKeepsItsCase) {
    Bare b;
    const std::string root = b.folder.str();
    EXPECT_EQ(b.form.programFolder, root);
    EXPECT_EQ(b.form.LP("01.kulap"), root + "/levels/01.kulap");
    EXPECT_EQ(b.form.LP("Bonus.KuLaP"), root + "/levels/Bonus.KuLaP");
    EXPECT_EQ(b.form.LP(".KULAP"), root + "/levels/.KULAP");
    // Pictures, the bare word, a name that merely contains it, and nothing at all.
    EXPECT_EQ(b.form.LP("okno.jpg"), root + "/graphics/okno.jpg");
    EXPECT_EQ(b.form.LP("kulap"), root + "/graphics/kulap");
    EXPECT_EQ(b.form.LP("mykulap"), root + "/graphics/mykulap");
    EXPECT_EQ(b.form.LP("a.kulap.png"), root + "/graphics/a.kulap.png");
    EXPECT_EQ(b.form.LP("x.kulapx"), root + "/graphics/x.kulapx");
    EXPECT_EQ(b.form.LP(""), root + "/graphics/");
    EXPECT_EQ(b.form.settingsPath(), root + "/options.txt");
    EXPECT_EQ(b.form.markerPath(), root + "/AtToMluvi.Cesky");
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
        b.form.fullscreenOn = !c.fullscreen;
        b.form.musicOn = !c.music;
        b.form.currentLevel = "stale";
        b.settings(c.text);
        ASSERT_NO_THROW(b.form.readSettings());
        EXPECT_EQ(b.form.fullscreenOn, c.fullscreen);
        EXPECT_EQ(b.form.musicOn, c.music);
        EXPECT_EQ(b.form.currentLevel, c.level);
    }
}

TEST(SettingsRead, MissingOrShortFileStopsWithItsName) {
    {
        Bare b;
        try {
            b.form.readSettings();
            FAIL() << "a missing settings file must stop start-up";
        } catch (const FatalError& e) {
            EXPECT_NE(std::string(e.what()).find(b.form.settingsPath()), std::string::npos);
            EXPECT_NE(std::string(e.what()).find("not found"), std::string::npos);
        }
        EXPECT_FALSE(b.folder.exists("options.txt")) << "the file is not created";
    }
    for (const char* text : {"", "fullscreen:on\r\nmusic:on\r\n", "fullscreen:on\r\nmusic:on",
                             "\r\n\r\n"}) {
        SCOPED_TRACE(text);
        Bare b;
        b.settings(text);
        EXPECT_THROW(b.form.readSettings(), FatalError);
        EXPECT_EQ(b.folder.read("options.txt"), text);
    }
    {
        Bare b;
        fs::create_directory(b.folder / "options.txt");
        EXPECT_THROW(b.form.readSettings(), FatalError);
    }
    // Three empty lines are three lines.
    Bare b;
    b.settings("\r\n\r\n\r\n");
    EXPECT_NO_THROW(b.form.readSettings());
    EXPECT_FALSE(b.form.fullscreenOn);
    EXPECT_EQ(b.form.currentLevel, "");
}

TEST(SettingsWrite, ThreeCrLfLinesThatReadBackTheSame) {
    Bare b;
    b.settings("old content that is longer than the new one\r\n\r\n\r\n\r\n");
    b.form.fullscreenOn = true;
    b.form.musicOn = false;
    b.form.currentLevel = "abc";
    b.form.ulozNastaveni();
    EXPECT_EQ(b.folder.read("options.txt"), "fullscreen:on\r\nmusic:off\r\nlevel:abc\r\n");
    EXPECT_FALSE(b.folder.exists("options.txt.tmp"));

    b.form.fullscreenOn = false;
    b.form.musicOn = true;
    b.form.currentLevel = "\xC3\x9Arove\xC5\x88 7";
    b.form.ulozNastaveni();
    EXPECT_EQ(b.folder.read("options.txt"),
              "fullscreen:off\r\nmusic:on\r\nlevel:\xC3\x9Arove\xC5\x88 7\r\n");
    b.form.fullscreenOn = true;
    b.form.musicOn = false;
    b.form.currentLevel.clear();
    b.form.readSettings();
    EXPECT_FALSE(b.form.fullscreenOn);
    EXPECT_TRUE(b.form.musicOn);
    EXPECT_EQ(b.form.currentLevel, "\xC3\x9Arove\xC5\x88 7");

    // A missing file is created.
    b.folder.remove("options.txt");
    b.form.currentLevel = "";
    b.form.ulozNastaveni();
    EXPECT_EQ(b.folder.read("options.txt"), "fullscreen:off\r\nmusic:on\r\nlevel:\r\n");
}

TEST(SettingsRead, ALevelNameThatIsNotPlainFallsBackToTheFirstLevelAndSaysSo) {
    const std::string tooLong(kMaxLevelNameBytes + 1, 'a');
    for (const std::string& name : {std::string("../../x"), std::string("a/b"), std::string(".."),
                                    std::string("a\\b"), std::string("tab\there"), tooLong}) {
        SCOPED_TRACE(name.substr(0, 20));
        Bare b;
        b.settings("fullscreen:on\r\nmusic:off\r\nlevel:" + name + "\r\n");
        b.form.readSettings();
        EXPECT_EQ(b.form.currentLevel, "01");
        EXPECT_TRUE(b.form.fullscreenOn) << "the other settings are read as usual";
        const auto lines = b.plat.LogOf("stderr");
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_NE(lines[0].detail.find(b.form.settingsPath()), std::string::npos) << lines[0].detail;
        EXPECT_TRUE(b.plat.LogOf("msgbox").empty());
    }
    // The longest name a level file can have is kept, and so is an empty one.
    for (const std::string& name : {std::string(kMaxLevelNameBytes, 'b'), std::string()}) {
        Bare b;
        b.settings("fullscreen:on\r\nmusic:off\r\nlevel:" + name + "\r\n");
        b.form.readSettings();
        EXPECT_EQ(b.form.currentLevel, name);
        EXPECT_TRUE(b.plat.LogOf("stderr").empty());
    }
}

TEST(SettingsRead, AFifoInPlaceOfTheFileStopsStartUpInsteadOfWaiting) {
    Bare b;
    ASSERT_EQ(::mkfifo((b.folder / "options.txt").c_str(), 0600), 0);
    try {
        b.form.readSettings();
        FAIL() << "a FIFO is not a settings file";
    } catch (const FatalError& e) {
        EXPECT_NE(std::string(e.what()).find("FIFO"), std::string::npos) << e.what();
    }
}

// Replaces the settings writer's calls for one test and puts the real ones back.
struct ReplacedCalls {
    SettingsFileCalls saved = settingsFileCalls();
    ~ReplacedCalls() { settingsFileCalls() = saved; }
};

TEST(SettingsWrite, AFailedWriteLeavesTheOldFileWholeAndIsToldOnce) {
    Bare b;
    const std::string old = "fullscreen:off\r\nmusic:on\r\nlevel:07\r\n";
    b.settings(old);
    // Something that is not a file sits where the new content would be written first.
    fs::create_directory(b.folder / "options.txt.tmp");
    b.form.fullscreenOn = true;
    b.form.currentLevel = "99";
    b.form.ulozNastaveni();
    b.form.ulozNastaveni();
    EXPECT_EQ(b.folder.read("options.txt"), old);
    EXPECT_TRUE(fs::is_directory(b.folder / "options.txt.tmp")) << "not ours to remove";
    EXPECT_TRUE(b.form.fullscreenOn) << "the choice holds for this run";
    const auto boxes = b.plat.LogOf("msgbox");
    ASSERT_EQ(boxes.size(), 1u) << "told once";
    EXPECT_EQ(boxes[0].detail, "This choice cannot be remembered: it holds until the game ends.");
    const auto lines = b.plat.LogOf("stderr");
    ASSERT_EQ(lines.size(), 2u) << "standard error hears of every failure";
    EXPECT_NE(lines[0].detail.find(b.form.settingsPath() + ".tmp: File exists"), std::string::npos)
        << lines[0].detail;

    // A folder that has gone away: nothing is left behind, nothing passes for success,
    // and the message comes in the language in force.
    Bare gone;
    gone.form.isCzech = true;
    gone.form.programFolder = (gone.folder / "missing").string();
    gone.form.ulozNastaveni();
    EXPECT_FALSE(fs::exists(gone.folder / "missing"));
    ASSERT_EQ(gone.plat.LogOf("msgbox").size(), 1u);
    EXPECT_EQ(gone.plat.LogOf("msgbox")[0].detail, "Tuto volbu si hra nemůže zapamatovat: platí jen do konce hry.");
}

TEST(SettingsWrite, AFullDiskLeavesTheOldFileWholeAndNoTemporaryFile) {
    Bare b;
    const std::string old = "fullscreen:on\r\nmusic:off\r\nlevel:abc\r\n";
    b.settings(old);
    ReplacedCalls replaced;
    settingsFileCalls().write = [](int, const void*, size_t) -> ssize_t {
        errno = ENOSPC;
        return -1;
    };
    b.form.musicOn = true;
    b.form.ulozNastaveni();
    EXPECT_EQ(b.folder.read("options.txt"), old);
    EXPECT_FALSE(fs::exists(fs::symlink_status(b.folder / "options.txt.tmp")));
    ASSERT_EQ(b.plat.LogOf("stderr").size(), 1u);
    EXPECT_NE(b.plat.LogOf("stderr")[0].detail.find("No space left on device"), std::string::npos);
}

TEST(SettingsWrite, APlantedLinkAtTheTemporaryNameIsNeverFollowed) {
    Bare b;
    b.settings("fullscreen:off\r\nmusic:off\r\nlevel:01\r\n");
    b.folder.write("precious.txt", "the player's own file");
    fs::create_symlink(b.folder / "precious.txt", b.folder / "options.txt.tmp");
    b.form.musicOn = true;
    b.form.currentLevel = "01";
    b.form.ulozNastaveni();
    EXPECT_EQ(b.folder.read("precious.txt"), "the player's own file");
    EXPECT_FALSE(fs::is_symlink(b.folder / "options.txt"));
    EXPECT_EQ(b.folder.read("options.txt"), "fullscreen:off\r\nmusic:on\r\nlevel:01\r\n");
    EXPECT_FALSE(fs::exists(fs::symlink_status(b.folder / "options.txt.tmp")));
    EXPECT_TRUE(b.plat.LogOf("msgbox").empty());
}

TEST(SettingsWrite, ALinkedSettingsFileIsWrittenThroughToItsTarget) {
    Bare b;
    b.folder.write("elsewhere/settings.txt", "fullscreen:off\r\nmusic:off\r\nlevel:01\r\n");
    fs::create_symlink(b.folder / "elsewhere/settings.txt", b.folder / "options.txt");
    b.form.fullscreenOn = true;
    b.form.currentLevel = "05";
    b.form.ulozNastaveni();
    EXPECT_TRUE(fs::is_symlink(b.folder / "options.txt")) << "the link stays a link";
    EXPECT_FALSE(fs::is_symlink(b.folder / "elsewhere/settings.txt"));
    EXPECT_EQ(b.folder.read("elsewhere/settings.txt"), "fullscreen:on\r\nmusic:off\r\nlevel:05\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(b.folder / "elsewhere"), fs::directory_iterator()), 1)
        << "no temporary file is left beside the target";
    EXPECT_FALSE(fs::exists(fs::symlink_status(b.folder / "options.txt.tmp")));
    EXPECT_TRUE(b.plat.LogOf("msgbox").empty());
}

}  // namespace
}  // namespace tk::test

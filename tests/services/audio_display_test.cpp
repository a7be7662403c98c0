// The music part and its missing device, and the display mode.
#include <gtest/gtest.h>

#include "services/display_mode.h"
#include "services/music.h"
#include "services/notices.h"
#include "support/game_fixture.h"
#include "support/sample_files.h"

namespace tk::test {
namespace {

// The services on the twin, in an empty program folder but for two stand-in pieces of music.
struct Services {
    explicit Services(HeadlessOptions o = {}) : plat(withFolder(o)) {
        folder.write("music/song.mp3", "stand-in");
        folder.write("music/other.mp3", "stand-in");
    }
    HeadlessOptions withFolder(HeadlessOptions o) const {
        o.programFolder = folder.str();
        return o;
    }
    ProgramFolder folder{false};
    HeadlessPlatform plat;
    DisplayMode display{plat};
    std::string song() const { return folder.str() + "/music/song.mp3"; }
    std::size_t count(const std::string& what) const { return plat.LogOf(what).size(); }
};

TEST(Music, OnStartsThePieceFromItsBeginningOffStopsItAndNoDeviceKeepsItSilent) {
    Services s;
    Music music(s.plat, s.song());
    EXPECT_TRUE(music.OpenDevice());
    music.Switch(true);
    ASSERT_EQ(s.count("music.play"), 1u);
    EXPECT_EQ(s.plat.LogOf("music.play")[0].detail, s.song());
    // On again: the piece stops and starts from its beginning.
    music.Switch(true);
    EXPECT_EQ(s.count("music.stop"), 1u);
    EXPECT_EQ(s.count("music.play"), 2u);
    music.Switch(false);
    music.Switch(false);  // nothing more to stop
    EXPECT_EQ(s.count("music.stop"), 2u);
    music.CloseDevice();
    EXPECT_EQ(s.count("music.close"), 1u);

    // A piece that is missing plays nothing; neither does a machine without a device.
    Music missing(s.plat, s.folder.str() + "/music/missing.mp3");
    EXPECT_TRUE(missing.OpenDevice());
    missing.Switch(true);
    EXPECT_EQ(s.count("music.play"), 2u);
    HeadlessOptions o;
    o.audioDevicePresent = false;
    Services none(o);
    Music silent(none.plat, none.song());
    EXPECT_FALSE(silent.OpenDevice());
    EXPECT_FALSE(silent.HasDevice());
    silent.Switch(true);
    silent.CloseDevice();
    EXPECT_EQ(none.count("music.play") + none.count("music.close"), 0u);
    EXPECT_TRUE(none.plat.LogOf("notice").empty()) << "the part tells nobody: the program does";
}

// With music on and no sound device, the player reads it once, in the language in force,
// in a notice that stands over the menu while the menu goes on taking keys.
TEST(MusicStart, NoSoundDeviceIsToldOnceInANoticeAndTheGameGoesOn) {
    for (bool czech : {false, true}) {
        SCOPED_TRACE(czech ? "Czech" : "English");
        HeadlessOptions o;
        o.audioDevicePresent = false;
        GameFixture g(o);
        WritePicture(g.folder, "okno.jpg", 8, 6);
        if (czech) g.folder.write("AtToMluvi.Cesky", "");
        g.folder.write("options.txt", "fullscreen:off\r\nmusic:on\r\nlevel:01\r\n");
        std::uint64_t t = GameFixture::kMenuReady;
        g.plat.Press(t, Key::Down);
        g.plat.Press(t += 100, Key::Down);
        bool checked = false;
        g.plat.At(t += 100, [&] {
            checked = true;
            EXPECT_TRUE(g.view().notice.shown);
            EXPECT_EQ(g.program.menus().menuCursor(), 2) << "the notice holds nothing back";
            EXPECT_EQ(g.program.screen(), Menus::Screen::MainMenu);
        });
        g.plat.At(1250 + Notices::kStandsMs + 10, [&] { EXPECT_FALSE(g.view().notice.shown) << "it goes by itself"; });
        EXPECT_EQ(g.Run(), 0);
        EXPECT_TRUE(checked);
        const auto notices = g.plat.LogOf("notice");
        ASSERT_EQ(notices.size(), 1u);
        EXPECT_EQ(notices[0].detail, czech ? "Žádné zvukové zařízení: hudba zůstane vypnutá."
                                           : "No sound device: the music stays off.");
        EXPECT_EQ(notices[0].at, 1250u);
        const auto lines = g.plat.LogOf("stderr");
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_EQ(lines[0].detail, "no sound device: the music stays off");
        EXPECT_TRUE(g.program.settings().musicOn) << "a missing device never changes the setting";
        EXPECT_TRUE(g.plat.LogOf("music.play").empty());
        EXPECT_TRUE(g.plat.Sounds().empty()) << "no device, no effects either";
    }
}

TEST(MusicStart, NoSoundDeviceWithMusicOffIsToldWhenMusicIsFirstSwitchedOn) {
    HeadlessOptions o;
    o.audioDevicePresent = false;
    GameFixture g(o);
    g.folder.write("options.txt", "fullscreen:off\r\nmusic:off\r\nlevel:01\r\n");
    std::uint64_t t = GameFixture::kMenuReady;
    g.plat.At(t, [&] {
        EXPECT_TRUE(g.plat.LogOf("notice").empty()) << "nothing to tell with the music off";
        ASSERT_EQ(g.plat.LogOf("stderr").size(), 1u);
        EXPECT_EQ(g.plat.LogOf("stderr")[0].detail, "no sound device: the music stays off");
    });
    // Options, music on, off, on.
    for (Key key : {Key::Down, Key::Return, Key::Down, Key::Down, Key::Return}) g.plat.Press(t += 100, key);
    g.plat.At(t += 50, [&] { EXPECT_EQ(g.plat.LogOf("notice").size(), 1u); });
    for (Key key : {Key::Return, Key::Return}) g.plat.Press(t += 100, key);
    EXPECT_EQ(g.Run(), 0);
    const auto notices = g.plat.LogOf("notice");
    ASSERT_EQ(notices.size(), 1u) << "once per start";
    EXPECT_EQ(notices[0].detail, "No sound device: the music stays off.");
    EXPECT_TRUE(g.program.settings().musicOn);
    EXPECT_TRUE(g.plat.LogOf("music.play").empty());
}

// A first start: the largest whole multiple of 800 × 600 within two thirds of the desktop's
// width and height, in its middle, and 800 × 600 where not even that fits.
TEST(DisplayMode, TheFirstWindowIsTheLargestWholeMultipleInTwoThirdsOfTheDesktopAndCentred) {
    struct Case {
        int w, h;
        float recordedW;
        WindowPlacement first;
    };
    for (const Case& c : {Case{1920, 1080, 1920, {560, 240, 800, 600}}, Case{800, 600, 800, {0, 0, 800, 600}},
                          Case{600, 600, 800, {0, 0, 800, 600}}, Case{1366, 768, 1366, {283, 84, 800, 600}},
                          Case{2400, 1800, 2400, {400, 300, 1600, 1200}}, Case{2399, 1800, 2399, {800, 600, 800, 600}},
                          Case{3840, 2160, 3840, {1120, 480, 1600, 1200}}, Case{7680, 4320, 7680, {2240, 960, 3200, 2400}}}) {
        SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h));
        HeadlessOptions o;
        o.desktopWidth = c.w;
        o.desktopHeight = c.h;
        Services s(o);
        s.display.MeasureDesktop();
        EXPECT_FLOAT_EQ(s.display.desktopWidth(), c.recordedW);
        EXPECT_EQ(s.display.FirstPlacement(), c.first);
        // Full screen is a state of its own, whatever the desktop's size.
        s.display.SetFullscreen(true);
        EXPECT_TRUE(s.plat.Fullscreen());
        s.display.SetFullscreen(false);
        EXPECT_FALSE(s.plat.Fullscreen());
    }
}

}  // namespace
}  // namespace tk::test

// The music module's slots and failures, and the display mode.
#include <gtest/gtest.h>

#include "services/display_mode.h"
#include "services/mfmod.h"
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
    mFmod fmod{plat};
    DisplayMode display{plat};
    std::string song() const { return folder.str() + "/music/song.mp3"; }
    std::size_t count(const std::string& what) const { return plat.LogOf(what).size(); }
};

TEST(MusicErrorText, TableEdgesAndExactText) {
    EXPECT_EQ(mFmod::fmodErrorText(0), "No errors");
    EXPECT_EQ(mFmod::fmodErrorText(1),
              "Cannot call this command after FSOUND_Init.  Call FSOUND_Close first.");
    EXPECT_EQ(mFmod::fmodErrorText(12), "Not enough memory ");
    EXPECT_EQ(mFmod::fmodErrorText(19), "An error occured trying to open the specified CD device");
    for (int code : {-1, 20, 1000, -2147483647 - 1}) EXPECT_EQ(mFmod::fmodErrorText(code), "Unknown error");
}

TEST(MusicSlots, OpenPlayStopAndTheSlotsOutOfRange) {
    Services s;
    mFmod& m = s.fmod;
    m.fmodInit(44100, 5);
    EXPECT_EQ(m.maxChannels, 5);
    EXPECT_TRUE(s.plat.LogOf("msgbox").empty());

    // Slots above the channel count, below zero, or past the table do nothing.
    for (int slot : {6, 64, 65, -1, -1000}) {
        m.streamOpen(s.song(), slot, true, 255);
        m.streamPlay(slot);
        m.streamTogglePause(slot);
        m.streamSetVolume(slot, 10);
        m.streamStop(slot);
    }
    EXPECT_EQ(s.count("music.open"), 0u);
    EXPECT_EQ(s.count("music.play"), 0u);

    m.streamOpen(s.song(), 0, true, 255);
    EXPECT_EQ(s.count("music.open"), 1u);
    EXPECT_EQ(s.count("music.play"), 1u);
    ASSERT_EQ(s.count("music.volume"), 1u);
    EXPECT_EQ(s.plat.LogOf("music.volume")[0].detail, "255");
    EXPECT_NE(m.streamHandles[0], 0u);

    // Opening again replaces the stream: the old one stops first, one plays afterwards.
    m.streamOpen(s.folder.str() + "/music/other.mp3", 0, true, 255);
    ASSERT_EQ(s.count("music.stop"), 1u);
    EXPECT_EQ(s.plat.LogOf("music.stop")[0].detail, s.song());
    EXPECT_EQ(s.count("music.play"), 2u);

    // A pause toggles both ways; play resumes a paused channel before it restarts.
    m.streamTogglePause(0);
    m.streamTogglePause(0);
    m.streamTogglePause(0);
    const auto pauses = s.plat.LogOf("music.pause");
    ASSERT_EQ(pauses.size(), 3u);
    EXPECT_EQ(pauses[0].detail, "1");
    EXPECT_EQ(pauses[1].detail, "0");
    m.streamPlay(0);
    EXPECT_EQ(s.plat.LogOf("music.pause").back().detail, "0");

    m.streamStop(0);
    m.streamStop(0);  // an empty slot: nothing more to stop
    EXPECT_EQ(s.count("music.stop"), 2u);
    EXPECT_EQ(m.streamHandles[0], 0u);

    // A missing file leaves the slot empty, silently.
    m.streamOpen(s.folder.str() + "/music/missing.mp3", 0, true, 255);
    EXPECT_EQ(m.streamHandles[0], 0u);
    m.streamStop(0);
    EXPECT_EQ(s.count("music.stop"), 2u);
    m.fmodClose();
    EXPECT_EQ(s.count("music.close"), 1u);
    EXPECT_TRUE(s.plat.LogOf("msgbox").empty());
}

TEST(MusicStart, FailuresAreShownOnceWhenMusicIsAskedForAndMusicStaysSilent) {
    {
        Services s;
        s.fmod.fmodInit(44100, 65);
        const auto boxes = s.plat.LogOf("msgbox");
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].detail, "You can only have a maximum of 64 channels.");
        EXPECT_EQ(s.count("music.init"), 0u);
        EXPECT_EQ(s.fmod.maxChannels, 0);
    }
    HeadlessOptions o;
    o.audioDevicePresent = false;
    Services s(o);
    s.fmod.fmodInit(44100, 5);
    // Said on standard error at once; shown when music is first asked for, once.
    EXPECT_TRUE(s.plat.LogOf("msgbox").empty());
    ASSERT_EQ(s.count("stderr"), 1u);
    EXPECT_EQ(s.plat.LogOf("stderr")[0].detail,
              "FMOD Cannot initialize because of an error. Error initializing output device.");
    s.fmod.streamOpen(s.song(), 0, true, 255);
    s.fmod.streamOpen(s.song(), 0, true, 255);
    const auto boxes = s.plat.LogOf("msgbox");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].detail, "FMOD Cannot initialize because of an error.\r\nError initializing output device.");
    s.fmod.streamTogglePause(0);
    s.fmod.streamStop(0);
    EXPECT_EQ(s.count("music.open") + s.count("music.play") + s.count("music.pause"), 0u);
    s.fmod.fmodClose();
}

TEST(MusicStart, NoAudioDeviceOneMessageAndTheGameGoesOn) {
    HeadlessOptions o;
    o.audioDevicePresent = false;
    GameFixture g(o);
    WritePicture(g.folder, "okno.jpg", 8, 6);
    g.folder.write("options.txt", "fullscreen:off\r\nmusic:on\r\nlevel:01\r\n");
    std::uint64_t t = GameFixture::kMenuReady;
    g.plat.Press(t, vk::Down);
    g.plat.Press(t += 100, vk::Down);
    bool checked = false;
    g.plat.At(t += 100, [&] {
        checked = true;
        EXPECT_EQ(g.program.menus().menuCursor(), 2);
        EXPECT_EQ(g.program.screen(), Menus::Screen::MainMenu);
    });
    EXPECT_EQ(g.Run(), 0);
    EXPECT_TRUE(checked);
    const auto boxes = g.plat.LogOf("msgbox");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].detail.rfind("FMOD Cannot initialize because of an error.", 0), 0u);
    EXPECT_TRUE(g.program.settings().musicOn) << "a music failure never changes the setting";
    EXPECT_TRUE(g.plat.LogOf("music.play").empty());
}

TEST(MusicStart, NoAudioDeviceWithMusicOffIsSaidOnStandardErrorUntilMusicIsSwitchedOn) {
    HeadlessOptions o;
    o.audioDevicePresent = false;
    GameFixture g(o);
    g.folder.write("options.txt", "fullscreen:off\r\nmusic:off\r\nlevel:01\r\n");
    std::uint64_t t = GameFixture::kMenuReady;
    g.plat.At(t, [&] {
        EXPECT_TRUE(g.plat.LogOf("msgbox").empty()) << "no box at start with music off";
        ASSERT_EQ(g.plat.LogOf("stderr").size(), 1u);
        EXPECT_EQ(g.plat.LogOf("stderr")[0].detail.rfind("FMOD Cannot initialize because of an error.", 0), 0u);
    });
    // Options, music on, off, on.
    for (int key : {vk::Down, vk::Return, vk::Down, vk::Down, vk::Return}) g.plat.Press(t += 100, key);
    g.plat.At(t += 50, [&] { EXPECT_EQ(g.plat.LogOf("msgbox").size(), 1u); });
    for (int key : {vk::Return, vk::Return}) g.plat.Press(t += 100, key);
    EXPECT_EQ(g.Run(), 0);
    const auto boxes = g.plat.LogOf("msgbox");
    ASSERT_EQ(boxes.size(), 1u) << "once per start";
    EXPECT_EQ(boxes[0].detail.rfind("FMOD Cannot initialize because of an error.\r\n", 0), 0u);
    EXPECT_TRUE(g.program.settings().musicOn);
    EXPECT_TRUE(g.plat.LogOf("music.play").empty());
}

TEST(DisplayMode, TheDesktopIsMeasuredOnceAndTheWindowCentredOnIt) {
    struct Case {
        int w, h;
        float recordedW;
        const char* centre;
    };
    for (const Case& c : {Case{1920, 1080, 1920, "560,240"}, Case{800, 600, 800, "0,0"},
                          Case{600, 600, 800, "0,0"}, Case{1366, 768, 1366, "283,84"}}) {
        SCOPED_TRACE(c.w);
        HeadlessOptions o;
        o.desktopWidth = c.w;
        o.desktopHeight = c.h;
        Services s(o);
        s.display.MeasureDesktop();
        EXPECT_FLOAT_EQ(s.display.desktopWidth(), c.recordedW);
        // Full screen is a state of its own, whatever the desktop's size.
        s.display.SetFullscreen(true);
        EXPECT_TRUE(s.plat.Fullscreen());
        s.display.SetFullscreen(false);
        EXPECT_FALSE(s.plat.Fullscreen());
        s.display.CentreWindow();
        EXPECT_EQ(s.plat.LogOf("move").back().detail, c.centre);
    }
}

}  // namespace
}  // namespace tk::test

// The music module's slots and failures, and the display-mode routine.
#include <gtest/gtest.h>

#include "support/game_fixture.h"
#include "support/sample_files.h"

namespace tk::test {
namespace {

struct Services : GameFixture {
    explicit Services(HeadlessOptions o = {}) : GameFixture(o, false) {
        folder.write("music/song.mp3", "stand-in");
        folder.write("music/other.mp3", "stand-in");
    }
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
    mFmod& m = s.form.fmod;
    m.fmodInit(300, 44100, 5, 4, 2, 4, 0);
    EXPECT_EQ(m.maxChannels, 5);
    EXPECT_TRUE(s.plat.LogOf("msgbox").empty());

    // Slots above the channel count, below zero, or past the table do nothing.
    for (int slot : {6, 64, 65, -1, -1000}) {
        m.streamOpen(s.song(), 2, slot, true, 255);
        m.streamPlay(slot);
        m.streamTogglePause(slot);
        m.streamSetVolume(slot, 10);
        m.streamStop(slot);
    }
    EXPECT_EQ(s.count("music.open"), 0u);
    EXPECT_EQ(s.count("music.play"), 0u);

    m.streamOpen(s.song(), 2, 0, true, 255);
    EXPECT_EQ(s.count("music.open"), 1u);
    EXPECT_EQ(s.count("music.play"), 1u);
    ASSERT_EQ(s.count("music.volume"), 1u);
    EXPECT_EQ(s.plat.LogOf("music.volume")[0].detail, "255");
    EXPECT_NE(m.streamHandles[0], 0u);

    // Opening again replaces the stream: the old one stops first, one plays afterwards.
    m.streamOpen(s.folder.str() + "/music/other.mp3", 2, 0, true, 255);
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
    m.streamOpen(s.folder.str() + "/music/missing.mp3", 2, 0, true, 255);
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
        s.form.fmod.fmodInit(300, 44100, 65, 4, 2, 4, 0);
        const auto boxes = s.plat.LogOf("msgbox");
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].detail, "You can only have a maximum of 64 channels.");
        EXPECT_EQ(s.count("music.init"), 0u);
        EXPECT_EQ(s.form.fmod.maxChannels, 0);
    }
    {
        HeadlessOptions o;
        o.audioDevicePresent = false;
        Services s(o);
        s.form.fmod.fmodInit(300, 44100, 5, 4, 2, 4, 0);
        // Said on standard error at once; shown when music is first asked for, once.
        EXPECT_TRUE(s.plat.LogOf("msgbox").empty());
        ASSERT_EQ(s.count("stderr"), 1u);
        EXPECT_EQ(s.plat.LogOf("stderr")[0].detail,
                  "FMOD Cannot initialize because of an error. Error initializing output device.");
        s.form.fmod.streamOpen(s.song(), 2, 0, true, 255);
        s.form.fmod.streamOpen(s.song(), 2, 0, true, 255);
        const auto boxes = s.plat.LogOf("msgbox");
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].detail,
                  "FMOD Cannot initialize because of an error.\r\nError initializing output device.");
        s.form.fmod.streamTogglePause(0);
        s.form.fmod.streamStop(0);
        EXPECT_EQ(s.count("music.open") + s.count("music.play") + s.count("music.pause"), 0u);
        s.form.fmod.fmodClose();
    }
    {
        HeadlessOptions o;
        o.musicLibraryPresent = false;
        Services s(o);
        s.form.fmod.fmodInit(300, 44100, 5, 4, 2, 4, 0);
        EXPECT_TRUE(s.plat.LogOf("msgbox").empty());
        s.form.fmod.streamOpen(s.song(), 2, 0, true, 255);
        const auto boxes = s.plat.LogOf("msgbox");
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].detail.rfind("FMOD Cannot initialize because of an error.\r\n", 0), 0u);
        EXPECT_GT(boxes[0].detail.size(), 46u) << "the platform's reason follows";
        s.form.fmod.fmodClose();
        EXPECT_EQ(s.count("music.init") + s.count("music.open") + s.count("music.close"), 0u);
    }
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
        EXPECT_EQ(g.form.menuCursor, 2);
        EXPECT_EQ(g.form.screenMode, modeMainMenu);
    });
    EXPECT_EQ(g.Run(), 0);
    EXPECT_TRUE(checked);
    const auto boxes = g.plat.LogOf("msgbox");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].detail.rfind("FMOD Cannot initialize because of an error.", 0), 0u);
    EXPECT_TRUE(g.form.musicOn) << "a music failure never changes the setting";
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
    EXPECT_TRUE(g.form.musicOn);
    EXPECT_TRUE(g.plat.LogOf("music.play").empty());
}

TEST(DisplayMode, WholePixelsAndTheModeAskedFor) {
    Services s;
    const auto call = [&](float w, float h, WindowMode mode) {
        Module1::setDisplayMode(s.plat, w, h, mode);
        return s.plat.LogOf("display").back().detail;
    };
    EXPECT_EQ(call(800, 600, WindowMode::FullScreen), "800x600");
    EXPECT_TRUE(s.plat.Fullscreen());
    EXPECT_EQ(call(1024.4f, 767.6f, WindowMode::Windowed), "1024x768");
    EXPECT_FALSE(s.plat.Fullscreen());
    EXPECT_EQ(call(1365.5f, 768.5f, WindowMode::Windowed), "1366x768") << "halves go to the even neighbour";
    // Back to an 800 × 600 desktop: the size of full screen, but the window.
    EXPECT_EQ(call(799.6f, 600.4f, WindowMode::Windowed), "800x600");
    EXPECT_FALSE(s.plat.Fullscreen());
}

}  // namespace
}  // namespace tk::test

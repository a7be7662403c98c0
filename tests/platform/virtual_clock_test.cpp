// The headless twin's clock, scripted keys, key polling, the timer and the text box.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/program_folder.h"
#include "platform/headless_platform.h"

namespace tk::test {
namespace {

// Writes down what the window delivered, with the virtual time.
struct Sink : EventSink {
    Platform* plat = nullptr;
    std::vector<std::string> seen;
    std::function<void(std::int16_t&)> onKey;
    void Form_KeyDown(std::int16_t& key, std::int16_t& shift) override {
        seen.push_back("key " + std::to_string(key) + "/" + std::to_string(shift) + " @" +
                       std::to_string(plat->Now()));
        if (onKey) onKey(key);
    }
    void Form_MouseDown(int, int, float, float) override { seen.push_back("mouse"); }
    void Timer1_Timer() override { seen.push_back("tick @" + std::to_string(plat->Now())); }
    void Form_CloseRequest() override { seen.push_back("close @" + std::to_string(plat->Now())); }
};

class Twin : public ::testing::Test {
protected:
    explicit Twin(bool closeAtEnd = true) : plat(Options(folder, closeAtEnd)) {
        sink.plat = &plat;
        plat.Attach(ctl, sink);
    }
    static HeadlessOptions Options(const ProgramFolder& f, bool closeAtEnd) {
        HeadlessOptions o{f.str()};
        o.closeWhenScriptEnds = closeAtEnd;
        return o;
    }
    ProgramFolder folder{false};
    HeadlessPlatform plat;
    Controls ctl;
    Sink sink;
};

TEST_F(Twin, SleepDispatchesNothingAndKeysWaitInOrder) {
    plat.Press(100, vk::Left);
    plat.Press(150, vk::Return, shiftmask::Shift);
    plat.Press(400, vk::Escape);
    EXPECT_EQ(plat.Now(), 0u);
    plat.Sleep(250);
    EXPECT_EQ(plat.Now(), 250u);
    EXPECT_TRUE(sink.seen.empty());
    plat.DoEvents();
    EXPECT_EQ(sink.seen, (std::vector<std::string>{"key 37/0 @250", "key 13/1 @250"}));
    plat.DoEvents();  // the Esc is not due yet
    EXPECT_EQ(sink.seen.size(), 2u);
    plat.Sleep(1000);
    plat.DoEvents();
    EXPECT_EQ(sink.seen.back(), "key 27/0 @1250");
}

TEST_F(Twin, KeyStateLatchesAndHolds) {
    plat.Press(100, vk::Up, 0, 30);      // a short press, over before anyone looks
    plat.KeyDown(200, vk::Space);        // held
    plat.KeyUp(500, vk::Space);
    plat.Sleep(150);
    EXPECT_NE(plat.GetAsyncKeyState(vk::Up), 0);  // pressed since the last look
    EXPECT_EQ(plat.GetAsyncKeyState(vk::Up), 0);  // the look cleared it
    plat.Sleep(100);
    for (int i = 0; i < 3; ++i) EXPECT_NE(plat.GetAsyncKeyState(vk::Space), 0);
    EXPECT_EQ(plat.GetAsyncKeyState(vk::Down), 0);
    plat.Sleep(300);
    EXPECT_EQ(plat.GetAsyncKeyState(vk::Space), 0);
    EXPECT_EQ(plat.GetAsyncKeyState(0x1FF), 0);   // out of range: never down
    EXPECT_EQ(plat.GetAsyncKeyState(-1), 0);
}

TEST_F(Twin, BusyPollingMovesTheScriptOn) {
    plat.Press(5000, vk::letter('a'));
    // The quit question waits like this: no Sleep, no DoEvents.
    int polls = 0;
    while (plat.GetAsyncKeyState(vk::letter('a')) == 0) ASSERT_LT(++polls, 100000);
    EXPECT_EQ(plat.Now(), 5000u);
    // With the script spent, a close request comes instead of a hang.
    while (sink.seen.empty() || sink.seen.back().rfind("close", 0) != 0) {
        plat.GetAsyncKeyState(vk::letter('n'));
        ASSERT_LT(++polls, 100000);
    }
}

TEST_F(Twin, TimerTicksOneIntervalAfterEnablingAndNeverStacks) {
    plat.Sleep(300);
    plat.EnableTimer(ctl.Timer1, true);
    plat.Sleep(999);
    plat.DoEvents();
    EXPECT_TRUE(sink.seen.empty());
    plat.Sleep(1);
    plat.DoEvents();
    EXPECT_EQ(sink.seen, (std::vector<std::string>{"tick @1300"}));
    // Five intervals held back give one tick, and the next falls on the old rhythm.
    plat.Sleep(5100);
    plat.DoEvents();
    plat.DoEvents();
    EXPECT_EQ(sink.seen.size(), 2u);
    EXPECT_EQ(ctl.Timer1.dueAt, 7300u);
    plat.EnableTimer(ctl.Timer1, false);
    plat.Sleep(5000);
    plat.DoEvents();
    EXPECT_EQ(sink.seen.size(), 2u);
}

TEST_F(Twin, IdleWaitJumpsToWhatComesNextThenCloses) {
    std::vector<std::uint64_t> ran;
    plat.At(700, [&] { ran.push_back(plat.Now()); });
    plat.At(300, [&] { ran.push_back(plat.Now()); });
    plat.Press(2000, vk::Return);
    EXPECT_EQ(plat.ScriptEnd(), 2030u);  // the key comes up again
    plat.WaitEvents();
    EXPECT_EQ(ran, (std::vector<std::uint64_t>{300}));
    plat.WaitEvents();
    plat.WaitEvents();
    EXPECT_EQ(ran, (std::vector<std::uint64_t>{300, 700}));
    EXPECT_EQ(plat.Now(), 2000u);
    plat.WaitEvents();  // a key is waiting: no time passes
    EXPECT_EQ(plat.Now(), 2000u);
    plat.DoEvents();
    plat.WaitEvents();  // the key comes up
    plat.DoEvents();
    plat.WaitEvents();  // nothing is left: the window is closed
    plat.DoEvents();
    EXPECT_EQ(sink.seen, (std::vector<std::string>{"key 13/0 @2000", "close @2030"}));
}

TEST_F(Twin, ScriptedCloseArrivesThroughDoEvents) {
    plat.Close(100);
    plat.Sleep(200);
    EXPECT_TRUE(sink.seen.empty());
    plat.DoEvents();
    EXPECT_EQ(sink.seen, (std::vector<std::string>{"close @200"}));
}

class TwinNoAutoClose : public Twin {
protected:
    TwinNoAutoClose() : Twin(false) {}
};

TEST_F(TwinNoAutoClose, AGameThatNeverStopsIsStillAskedToCloseInTheEnd) {
    int waits = 0;
    while (sink.seen.empty()) {
        plat.Sleep(20);
        plat.DoEvents();
        ASSERT_LT(++waits, 10'000'000);
    }
    EXPECT_EQ(sink.seen.back().rfind("close", 0), 0u);
}

TEST_F(Twin, TextBoxEditsAfterTheHandlerSawTheKey) {
    ctl.Text2.Visible = true;
    plat.Type(10, "lev");
    plat.Type(20, " el ");          // spaces are never typed
    plat.Press(30, vk::Left);
    plat.Press(40, vk::Left);
    plat.Type(50, "č");
    plat.Press(60, vk::Home);
    plat.Press(70, vk::Delete);
    plat.Press(80, vk::End);
    plat.Press(90, vk::Back);
    plat.Press(100, vk::Space);     // reaches the handler only
    plat.Sleep(200);
    plat.DoEvents();
    EXPECT_EQ(ctl.Text2.Text, "evče");
    EXPECT_EQ(ctl.Text2.SelStart, 4);
    EXPECT_EQ(sink.seen.size(), 7u);

    // A key the handler swallows does not edit.
    sink.onKey = [](std::int16_t& key) { key = 0; };
    plat.Press(300, vk::Back);
    plat.Sleep(100);
    plat.DoEvents();
    EXPECT_EQ(ctl.Text2.Text, "evče");

    // A hidden box takes nothing.
    ctl.Text2.Visible = false;
    plat.Type(500, "x");
    plat.Sleep(100);
    plat.DoEvents();
    EXPECT_EQ(ctl.Text2.Text, "evče");
}

TEST_F(Twin, CaretOutsideTheTextIsBroughtBack) {
    ctl.Text2.Visible = true;
    ctl.Text2.Text = "ab";
    ctl.Text2.SelStart = 99;  // the game may set the text without moving the caret
    plat.Type(10, "c");
    plat.Press(20, vk::Back);
    plat.Press(30, vk::Back);
    plat.Sleep(50);
    plat.DoEvents();
    EXPECT_EQ(ctl.Text2.Text, "a");
    EXPECT_EQ(ctl.Text2.SelStart, 1);
}

TEST_F(Twin, RecordsWhatTheGameAskedFor) {
    folder.write("sound/menu.wav", "RIFF");
    plat.PlaySound((folder / "sound/menu.wav").string());
    plat.PlaySound((folder / "sound/absent.wav").string());  // silent: not recorded
    EXPECT_EQ(plat.Sounds(), (std::vector<std::string>{"menu"}));

    // Full screen follows the mode asked for, never the size.
    plat.ChangeDisplayMode(800, 600, WindowMode::FullScreen);
    EXPECT_TRUE(plat.Fullscreen());
    plat.ChangeDisplayMode(800, 600, WindowMode::Windowed);
    EXPECT_FALSE(plat.Fullscreen());
    plat.ChangeDisplayMode(1920, 1080, WindowMode::FullScreen);
    EXPECT_TRUE(plat.Fullscreen());
    ASSERT_EQ(plat.LogOf("display").size(), 3u);
    EXPECT_EQ(plat.LogOf("display")[0].detail, "800x600");

    plat.MsgBox("Error initializing output device", "Error", true);
    EXPECT_EQ(plat.LogOf("msgbox").at(0).detail, "Error initializing output device");
    EXPECT_FALSE(plat.WindowShown());
    plat.ShowWindow();
    EXPECT_TRUE(plat.WindowShown());
}

TEST(TwinMusic, LibraryAndDeviceCanBeMissing) {
    ProgramFolder folder{false};
    folder.write("music/m.mp3", "ID3");
    {
        HeadlessPlatform plat(HeadlessOptions{folder.str()});
        MusicLibrary& m = plat.Music();
        ASSERT_TRUE(m.Available(nullptr));
        ASSERT_TRUE(m.Init(44100, 32, 0));
        EXPECT_EQ(m.StreamOpen((folder / "music/none.mp3").string(), 2), 0u);
        const auto s = m.StreamOpen((folder / "music/m.mp3").string(), 2);
        ASSERT_NE(s, 0u);
        EXPECT_NE(m.StreamPlay(0, s), 0u);
        m.StreamStop(s);
        m.Close();
        std::vector<std::string> kinds;
        for (const auto& r : plat.Log()) kinds.push_back(r.what);
        EXPECT_EQ(kinds, (std::vector<std::string>{"music.init", "music.open", "music.play",
                                                   "music.stop", "music.close"}));
    }
    {
        HeadlessOptions o{folder.str()};
        o.audioDevicePresent = false;
        HeadlessPlatform plat(o);
        EXPECT_FALSE(plat.Music().Init(44100, 32, 0));
        EXPECT_EQ(plat.Music().GetError(), 3);
        EXPECT_EQ(plat.Music().StreamOpen((folder / "music/m.mp3").string(), 2), 0u);
    }
    {
        HeadlessOptions o{folder.str()};
        o.musicLibraryPresent = false;
        HeadlessPlatform plat(o);
        std::string why;
        EXPECT_FALSE(plat.Music().Available(&why));
        EXPECT_FALSE(why.empty());
    }
}

}  // namespace
}  // namespace tk::test

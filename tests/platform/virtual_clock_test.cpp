// The headless twin's clock, scripted keys, key polling, close requests and the text box.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/timer.h"
#include "platform/window_input.h"
#include "platform/headless_platform.h"
#include "support/program_folder.h"

namespace tk::test {
namespace {

class Twin : public ::testing::Test {
protected:
    explicit Twin(bool closeAtEnd = true) : plat(Options(folder, closeAtEnd)) {}
    static HeadlessOptions Options(const ProgramFolder& f, bool closeAtEnd) {
        HeadlessOptions o{f.str()};
        o.closeWhenScriptEnds = closeAtEnd;
        return o;
    }
    // Everything waiting for the game, as "key <code>/<shift> @<now>" or "text <utf8>".
    std::vector<std::string> Take() {
        std::vector<std::string> out;
        InputEvent e;
        while (plat.NextInput(e)) {
            out.push_back(e.kind == InputEvent::Kind::Key
                              ? "key " + std::to_string(e.vk) + "/" + std::to_string(e.shift) + " @" +
                                    std::to_string(plat.Now())
                              : "text " + e.text);
        }
        return out;
    }
    ProgramFolder folder{false};
    HeadlessPlatform plat;
};

TEST_F(Twin, AWaitMovesTheClockAndKeysWaitInOrder) {
    plat.Press(100, vk::Left);
    plat.Press(150, vk::Return, shiftmask::Shift);
    plat.Press(400, vk::Escape);
    EXPECT_EQ(plat.Now(), 0u);
    plat.WaitUntil(250, false);
    EXPECT_EQ(plat.Now(), 250u);
    EXPECT_EQ(Take(), (std::vector<std::string>{"key 37/0 @250", "key 13/1 @250"}));
    EXPECT_TRUE(Take().empty()) << "the Esc is not due yet";
    plat.WaitUntil(1250, false);
    EXPECT_EQ(Take(), (std::vector<std::string>{"key 27/0 @1250"}));
}

TEST_F(Twin, AWaitForInputEndsWithTheFirstKeyOrText) {
    plat.Type(300, "ab");
    plat.Press(500, vk::Down);
    plat.WaitUntil(1000, true);
    EXPECT_EQ(plat.Now(), 300u);
    plat.WaitUntil(1000, true);
    EXPECT_EQ(plat.Now(), 500u) << "what already waits does not end the next wait";
    plat.WaitUntil(1000, true);
    EXPECT_EQ(plat.Now(), 1000u) << "a key coming up is no input";
    EXPECT_EQ(Take(), (std::vector<std::string>{"text ab", "key 40/0 @1000"}));
}

TEST_F(Twin, ACloseRequestEndsTheWaitItArrivesInAndStays) {
    std::vector<std::uint64_t> ran;
    plat.At(300, [&] { ran.push_back(plat.Now()); });
    plat.Close(700);
    plat.At(900, [&] { ran.push_back(plat.Now()); });
    EXPECT_FALSE(plat.CloseRequested());
    plat.WaitUntil(5000, false);
    EXPECT_EQ(plat.Now(), 700u);
    EXPECT_TRUE(plat.CloseRequested());
    EXPECT_EQ(ran, (std::vector<std::uint64_t>{300}));
    // Asked to close, a wait keeps its deadline, and one without any does not wait.
    plat.WaitUntil(720, false);
    EXPECT_EQ(plat.Now(), 720u);
    plat.WaitUntil(kNoDeadline, true);
    EXPECT_EQ(plat.Now(), 720u);
    EXPECT_TRUE(plat.CloseRequested());
    EXPECT_EQ(plat.TakeUnrunActions(), (std::vector<std::uint64_t>{900})) << "the run ended before it";
}

// A check for a moment the run never reaches checked nothing: it is told when the twin goes.
// A scripted player's next look may fall after the end.
TEST(TwinChecks, AnAtActionTheRunNeverReachesIsReportedWhenTheTwinGoes) {
    static std::vector<std::string> told;
    const auto reporter = unrunActionsReporter;
    unrunActionsReporter = [](const std::string& what) { told.push_back(what); };
    {
        HeadlessPlatform plat({});
        bool ran = false;
        plat.At(300, [&] { ran = true; });
        plat.At(900, [] {});
        plat.At(1200, [] {});
        plat.AtIfReached(950, [] {});
        plat.WaitUntil(500, false);
        EXPECT_TRUE(ran);
    }
    {
        HeadlessPlatform plat({});
        plat.At(300, [] {});
        plat.AtIfReached(950, [] {});
        plat.WaitUntil(500, false);
    }
    unrunActionsReporter = reporter;
    ASSERT_EQ(told.size(), 1u) << "only the first twin left checks behind";
    EXPECT_NE(told[0].find("2 action(s)"), std::string::npos) << told[0];
    EXPECT_NE(told[0].find("900 ms"), std::string::npos) << told[0];
}

TEST_F(Twin, KeyStateLatchesAndHolds) {
    plat.Press(100, vk::Up, 0, 30);      // a short press, over before anyone looks
    plat.KeyDown(200, vk::Space);        // held
    plat.KeyUp(500, vk::Space);
    plat.WaitUntil(150, false);
    EXPECT_NE(plat.GetAsyncKeyState(vk::Up), 0);  // pressed since the last look
    EXPECT_EQ(plat.GetAsyncKeyState(vk::Up), 0);  // the look cleared it
    plat.WaitUntil(250, false);
    for (int i = 0; i < 3; ++i) EXPECT_NE(plat.GetAsyncKeyState(vk::Space), 0);
    EXPECT_EQ(plat.GetAsyncKeyState(vk::Down), 0);
    plat.WaitUntil(550, false);
    EXPECT_EQ(plat.GetAsyncKeyState(vk::Space), 0);
    EXPECT_EQ(plat.GetAsyncKeyState(0x1FF), 0);   // out of range: never down
    EXPECT_EQ(plat.GetAsyncKeyState(-1), 0);
    // Flushing asks every key once: a press made before it is forgotten.
    plat.Press(600, vk::Left);
    plat.WaitUntil(700, false);
    FlushKeys(plat);
    EXPECT_EQ(plat.GetAsyncKeyState(vk::Left), 0);
}

TEST_F(Twin, TimerTicksOneIntervalAfterEnablingAndNeverStacks) {
    Timer timer;
    plat.WaitUntil(300, false);
    timer.Enable(true, plat.Now());
    plat.WaitUntil(1299, false);
    EXPECT_FALSE(timer.TakeTick(plat.Now()));
    plat.WaitUntil(1300, false);
    EXPECT_TRUE(timer.TakeTick(plat.Now()));
    // Five intervals held back give one tick, and the next falls on the old rhythm.
    plat.WaitUntil(6400, false);
    EXPECT_TRUE(timer.TakeTick(plat.Now()));
    EXPECT_FALSE(timer.TakeTick(plat.Now()));
    EXPECT_EQ(timer.dueAt, 7300u);
    timer.Enable(false, plat.Now());
    plat.WaitUntil(12000, false);
    EXPECT_FALSE(timer.TakeTick(plat.Now()));
}

TEST_F(Twin, WaitingForInputWithNothingLeftClosesTheSession) {
    plat.Press(2000, vk::Return);
    EXPECT_EQ(plat.ScriptEnd(), 2030u);  // the key comes up again
    plat.WaitUntil(kNoDeadline, true);
    EXPECT_EQ(plat.Now(), 2000u);
    EXPECT_FALSE(plat.CloseRequested());
    plat.WaitUntil(kNoDeadline, true);  // the key comes up; then nothing is left
    EXPECT_EQ(plat.Now(), 2030u);
    EXPECT_TRUE(plat.CloseRequested());
}

class TwinNoAutoClose : public Twin {
protected:
    TwinNoAutoClose() : Twin(false) {}
};

TEST_F(TwinNoAutoClose, AGameThatNeverStopsIsStillAskedToCloseInTheEnd) {
    int waits = 0;
    while (!plat.CloseRequested()) {
        plat.WaitUntil(plat.Now() + 20, false);
        ASSERT_LT(++waits, 10'000'000);
    }
    EXPECT_GE(plat.Now(), 10u * 60 * 1000);
}

TEST_F(TwinNoAutoClose, AGameWaitingForAKeyThatNeverComesIsAskedToCloseInTheEnd) {
    plat.WaitUntil(kNoDeadline, true);
    EXPECT_TRUE(plat.CloseRequested());
    EXPECT_GE(plat.Now(), 10u * 60 * 1000);
}

TEST(TextBox, TypingEditingAndWhatIsNeverTyped) {
    Controls ctl;
    TextBox& box = ctl.levelBox;
    box.Visible = true;
    auto type = [&](const std::string& s) { WindowTakesInput(ctl, {InputEvent::Kind::Text, 0, 0, s}, 0); };
    auto key = [&](int code) { WindowTakesInput(ctl, {InputEvent::Kind::Key, code, 0, {}}, 0); };
    type("lev");
    type(" el ");  // spaces are never typed
    key(vk::Left);
    key(vk::Left);
    type("č");
    key(vk::Home);
    key(vk::Delete);
    key(vk::End);
    key(vk::Back);
    key(vk::Space);  // the game's handler takes it; the box does nothing
    EXPECT_EQ(box.Text, "evče");
    EXPECT_EQ(box.SelStart, 4);
    // Broken UTF-8 and control characters are not characters.
    type("\xC4\x0A\x7F\x80x");
    EXPECT_EQ(box.Text, "evčex");

    // A caret outside the text is brought back.
    box.Text = "ab";
    box.SelStart = 99;
    type("c");
    key(vk::Back);
    key(vk::Back);
    EXPECT_EQ(box.Text, "a");
    EXPECT_EQ(box.SelStart, 1);

    // A hidden box takes nothing.
    box.Visible = false;
    type("x");
    key(vk::Back);
    EXPECT_EQ(box.Text, "a");
}

TEST_F(Twin, RecordsWhatTheGameAskedFor) {
    folder.write("sound/menu.wav", "RIFF");
    plat.PlaySound((folder / "sound/menu.wav").string());
    plat.PlaySound((folder / "sound/absent.wav").string());  // silent: not recorded
    EXPECT_EQ(plat.Sounds(), (std::vector<std::string>{"menu"}));

    plat.SetFullscreen(true);
    EXPECT_TRUE(plat.Fullscreen());
    plat.SetFullscreen(false);
    EXPECT_FALSE(plat.Fullscreen());
    ASSERT_EQ(plat.LogOf("display").size(), 2u);
    EXPECT_EQ(plat.LogOf("display")[0].detail, "fullscreen");
    plat.MoveWindow(560, 240);
    EXPECT_EQ(plat.LogOf("move").at(0).detail, "560,240");

    plat.MsgBox("Error initializing output device", "Error", true);
    EXPECT_EQ(plat.LogOf("msgbox").at(0).detail, "Error initializing output device");
    EXPECT_FALSE(plat.WindowShown());
    plat.ShowWindow();
    EXPECT_TRUE(plat.WindowShown());
}

TEST(TwinMusic, TheDeviceCanBeMissing) {
    ProgramFolder folder{false};
    folder.write("music/m.mp3", "ID3");
    {
        HeadlessPlatform plat(HeadlessOptions{folder.str()});
        MusicPlayer& m = plat.Music();
        ASSERT_TRUE(m.Open(44100));
        EXPECT_EQ(m.Load((folder / "music/none.mp3").string()), 0u);
        const auto s = m.Load((folder / "music/m.mp3").string());
        ASSERT_NE(s, 0u);
        EXPECT_NE(m.Play(s), 0u);
        m.Stop(s);
        m.Close();
        std::vector<std::string> kinds;
        for (const auto& r : plat.Log()) kinds.push_back(r.what);
        EXPECT_EQ(kinds, (std::vector<std::string>{"music.init", "music.open", "music.play", "music.stop",
                                                   "music.close"}));
    }
    HeadlessOptions o{folder.str()};
    o.audioDevicePresent = false;
    HeadlessPlatform plat(o);
    EXPECT_FALSE(plat.Music().Open(44100));
    EXPECT_EQ(plat.Music().Load((folder / "music/m.mp3").string()), 0u);
}

}  // namespace
}  // namespace tk::test

// The headless twin's clock, scripted keys, held keys, close requests, the ticker and the level box.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ticker.h"
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
                              ? "key " + std::to_string(static_cast<int>(e.key)) + "/" + std::to_string(e.modifiers) + " @" +
                                    std::to_string(plat.Now())
                              : "text " + e.text);
        }
        return out;
    }
    static std::string Named(Key key, int modifiers, std::uint64_t at) {
        return "key " + std::to_string(static_cast<int>(key)) + "/" + std::to_string(modifiers) + " @" +
               std::to_string(at);
    }
    ProgramFolder folder{false};
    HeadlessPlatform plat;
};

TEST_F(Twin, AWaitMovesTheClockAndKeysWaitInOrder) {
    plat.Press(100, Key::Left);
    plat.Press(150, Key::Return, kShiftHeld);
    plat.Press(400, Key::Escape);
    EXPECT_EQ(plat.Now(), 0u);
    plat.WaitUntil(250, false);
    EXPECT_EQ(plat.Now(), 250u);
    EXPECT_EQ(Take(), (std::vector<std::string>{Named(Key::Left, 0, 250), Named(Key::Return, 1, 250)}));
    EXPECT_TRUE(Take().empty()) << "the Esc is not due yet";
    plat.WaitUntil(1250, false);
    EXPECT_EQ(Take(), (std::vector<std::string>{Named(Key::Escape, 0, 1250)}));
}

TEST_F(Twin, AWaitForInputEndsWithTheFirstKeyOrText) {
    plat.Type(300, "ab");
    plat.Press(500, Key::Down);
    plat.WaitUntil(1000, true);
    EXPECT_EQ(plat.Now(), 300u);
    plat.WaitUntil(1000, true);
    EXPECT_EQ(plat.Now(), 500u) << "what already waits does not end the next wait";
    plat.WaitUntil(1000, true);
    EXPECT_EQ(plat.Now(), 1000u) << "a key coming up is no input";
    EXPECT_EQ(Take(), (std::vector<std::string>{"text ab", Named(Key::Down, 0, 1000)}));
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
    plat.Press(100, Key::Up, 0, 30);      // a short press, over before anyone looks
    plat.KeyDown(200, Key::Space);        // held
    plat.KeyUp(500, Key::Space);
    plat.WaitUntil(150, false);
    EXPECT_EQ(plat.LookAt(Key::Up), (KeyState{false, true}));  // up again, pressed since the last look
    EXPECT_EQ(plat.LookAt(Key::Up), KeyState{});               // the look cleared it
    plat.WaitUntil(250, false);
    EXPECT_EQ(plat.LookAt(Key::Space), (KeyState{true, true}));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(plat.LookAt(Key::Space), (KeyState{true, false})) << "held";
    EXPECT_EQ(plat.LookAt(Key::Down), KeyState{});
    plat.WaitUntil(550, false);
    EXPECT_EQ(plat.LookAt(Key::Space), KeyState{});
    EXPECT_EQ(plat.LookAt(Key::Count), KeyState{});  // out of range: never down
}

TEST_F(Twin, TickerTicksOnePeriodAfterItsStartAndNeverStacks) {
    Ticker timer(1000);
    plat.WaitUntil(300, false);
    timer.Start(plat.Now());
    plat.WaitUntil(1299, false);
    EXPECT_FALSE(timer.TakeTick(plat.Now()));
    plat.WaitUntil(1300, false);
    EXPECT_TRUE(timer.TakeTick(plat.Now()));
    // Five intervals held back give one tick, and the next falls on the old rhythm.
    plat.WaitUntil(6400, false);
    EXPECT_TRUE(timer.TakeTick(plat.Now()));
    EXPECT_FALSE(timer.TakeTick(plat.Now()));
    EXPECT_EQ(timer.dueAt(), 7300u);
    timer.Stop();
    plat.WaitUntil(12000, false);
    EXPECT_FALSE(timer.TakeTick(plat.Now()));
}

TEST_F(Twin, WaitingForInputWithNothingLeftClosesTheSession) {
    plat.Press(2000, Key::Return);
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

TEST(LevelBox, TypingEditingAndWhatIsNeverTyped) {
    WindowView view;
    LevelBoxView& box = view.levelBox;
    box.shown = true;
    auto type = [&](const std::string& s) { WindowTakesInput(view, {InputEvent::Kind::Text, Key::None, 0, s}, 0); };
    auto key = [&](Key k) { WindowTakesInput(view, {InputEvent::Kind::Key, k, 0, {}}, 0); };
    type("lev");
    type(" el ");  // spaces are never typed
    key(Key::Left);
    key(Key::Left);
    type("č");
    key(Key::Home);
    key(Key::Delete);
    key(Key::End);
    key(Key::Back);
    key(Key::Space);  // the game's handler takes it; the box does nothing
    EXPECT_EQ(box.text, "evče");
    EXPECT_EQ(box.caret, 4);
    // Broken UTF-8 and control characters are not characters.
    type("\xC4\x0A\x7F\x80x");
    EXPECT_EQ(box.text, "evčex");

    // A caret outside the text is brought back.
    box.text = "ab";
    box.caret = 99;
    type("c");
    key(Key::Back);
    key(Key::Back);
    EXPECT_EQ(box.text, "a");
    EXPECT_EQ(box.caret, 1);

    // A hidden box takes nothing.
    box.shown = false;
    type("x");
    key(Key::Back);
    EXPECT_EQ(box.text, "a");
}

TEST_F(Twin, RecordsWhatTheGameAskedFor) {
    folder.write("sound/menu.wav", "RIFF");
    EXPECT_TRUE(plat.PlaySound((folder / "sound/menu.wav").string()));
    EXPECT_FALSE(plat.PlaySound((folder / "sound/absent.wav").string()));  // silent: not recorded
    EXPECT_EQ(plat.Sounds(), (std::vector<std::string>{"menu"}));

    plat.SetFullscreen(true);
    EXPECT_TRUE(plat.Fullscreen());
    plat.SetFullscreen(false);
    EXPECT_FALSE(plat.Fullscreen());
    ASSERT_EQ(plat.LogOf("display").size(), 2u);
    EXPECT_EQ(plat.LogOf("display")[0].detail, "fullscreen");
    plat.PlaceWindow({560, 240, 800, 600, true});
    EXPECT_EQ(plat.LogOf("place").at(0).detail, "560,240,800,600,maximised");

    WindowView view;
    view.notice = NoticeView{true, "Told once"};
    plat.Present(view);
    plat.Present(view);
    view.notice.text = "Told again";
    plat.Present(view);
    ASSERT_EQ(plat.LogOf("notice").size(), 2u) << "a notice is recorded as it comes on screen";
    EXPECT_EQ(plat.LogOf("notice").at(0).detail, "Told once");
    EXPECT_FALSE(plat.WindowShown());
    plat.ShowWindow();
    EXPECT_TRUE(plat.WindowShown());
}

TEST(TwinMusic, WhatPlaysIsRecorded) {
    ProgramFolder folder{false};
    folder.write("music/m.mp3", "ID3");
    HeadlessPlatform plat(HeadlessOptions{folder.str()});
    MusicPlayer& m = plat.Music();
    ASSERT_TRUE(m.OpenDevice());
    EXPECT_FALSE(m.Play((folder / "music/none.mp3").string()));
    EXPECT_TRUE(m.Play((folder / "music/m.mp3").string()));
    m.Stop();
    m.CloseDevice();
    std::vector<std::string> kinds;
    for (const auto& r : plat.Log()) kinds.push_back(r.what + " " + r.detail);
    EXPECT_EQ(kinds, (std::vector<std::string>{"music.device open", "music.play " + (folder / "music/m.mp3").string(),
                                               "music.stop ", "music.close "}));
}

}  // namespace
}  // namespace tk::test

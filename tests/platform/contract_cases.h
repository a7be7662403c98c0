// What any platform promises the game, as cases each platform's tests run against it: the
// desktop's window and the twin (contract_test.cpp), and the page's (tests/web/contract_in_page.cpp).
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/window_look.h"

namespace tk::test {

// One platform under test, with what a test needs to act as the player and to see what
// the player would see.
class Subject {
public:
    virtual ~Subject() = default;
    virtual Platform& plat() = 0;
    // The player, now: a key goes down, text is typed, the window is asked to close.
    virtual void PressKey(Key key, int modifiers = 0) = 0;
    virtual void TypeText(const std::string& text) = 0;
    virtual void AskToClose() = 0;
    // The pointer at a point of the 800 × 600 picture, or the window losing focus.
    virtual void Send(const InputEvent& event) = 0;
    // What the screen shows at a window pixel, as 0xRRGGBB.
    virtual std::uint32_t ScreenPixel(int x, int y) = 0;
    // Whether the window covers the desktop, and the largest monitor's part of it.
    virtual bool FullScreen() = 0;
    // What another program would paste now.
    virtual std::string Clipboard() = 0;
    virtual ScreenArea LargestMonitor() = 0;
};

// What waits for the menus, as words: "key <number>/<modifiers>", "text <text>", "move x,y",
// "down <button> x,y", "wheel <steps> x,y", "focus lost", "minimised".
inline std::string DescribedInput(const InputEvent& e) {
    const std::string at = " " + std::to_string(e.x) + "," + std::to_string(e.y);
    switch (e.kind) {
        case InputEvent::Kind::Key:
            return "key " + std::to_string(static_cast<int>(e.key)) + "/" + std::to_string(e.modifiers);
        case InputEvent::Kind::Text: return "text " + e.text;
        case InputEvent::Kind::PointerMove: return "move" + at;
        case InputEvent::Kind::PointerDown: return "down " + std::to_string(static_cast<int>(e.button)) + at;
        case InputEvent::Kind::Wheel: return "wheel " + std::to_string(e.wheelSteps) + at;
        case InputEvent::Kind::FocusLost: return "focus lost";
        case InputEvent::Kind::Minimised: return "minimised";
    }
    return "?";
}
inline std::vector<std::string> TakeInput(Platform& plat) {
    std::vector<std::string> out;
    InputEvent e;
    while (plat.NextInput(e)) out.push_back(DescribedInput(e));
    return out;
}
inline std::string KeyDownText(Key key, int modifiers = 0) {
    return "key " + std::to_string(static_cast<int>(key)) + "/" + std::to_string(modifiers);
}

inline void CaseAKeyIsLatchedUntilLookedAtAndALookSeesWhatArrivedJustBeforeIt(Subject& s_) {
    Subject* s = &s_;
    Platform& plat = s->plat();
    // No wait between the press and the look: the look itself takes in what arrived.
    s->PressKey(Key::Left);
    EXPECT_TRUE(plat.LookAt(Key::Left).pressed);
    EXPECT_FALSE(plat.LookAt(Key::Left).pressed) << "the look cleared it";
    EXPECT_FALSE(plat.LookAt(Key::Right).Any());
    s->PressKey(Key::N);
    EXPECT_TRUE(plat.LookAt(Key::N).pressed) << "a second key in the same millisecond";
    EXPECT_FALSE(plat.LookAt(Key::None).Any());
    // Looking takes nothing from the key-downs waiting for the menus.
    EXPECT_EQ(TakeInput(plat), (std::vector<std::string>{KeyDownText(Key::Left), KeyDownText(Key::N)}));
    // Flushing forgets every press made before it.
    s->PressKey(Key::Y);
    s->PressKey(Key::Escape);
    plat.WaitUntil(plat.Now() + 1, false);
    FlushKeys(plat);
    EXPECT_FALSE(plat.LookAt(Key::Y).pressed);
    EXPECT_FALSE(plat.LookAt(Key::Escape).pressed);
}

inline void CaseANoticeIsOnScreenAtOnceAndNothingWaitsForIt(Subject& s_) {
    Subject* s = &s_;
    Platform& plat = s->plat();
    plat.ShowWindow();
    WindowView view;
    plat.Present(view);
    const int x = look::kNotice.left + 2, y = look::kNoticeMiddle;
    EXPECT_EQ(s->ScreenPixel(x, y), 0x000000u);
    view.notice = NoticeView{true, "Something to tell"};
    const std::uint64_t before = plat.Now();
    plat.Present(view);
    const Rgb ground = look::NoticeText().ground;
    EXPECT_EQ(s->ScreenPixel(x, y), static_cast<std::uint32_t>(ground.r << 16 | ground.g << 8 | ground.b));
    // Nothing is asked of the player: the next key is the game's, and time went on as usual.
    s->PressKey(Key::Return);
    EXPECT_EQ(TakeInput(plat), (std::vector<std::string>{KeyDownText(Key::Return)}));
    EXPECT_LT(plat.Now(), before + 1000);
    view.notice.shown = false;
    plat.Present(view);
    EXPECT_EQ(s->ScreenPixel(x, y), 0x000000u);
}

inline void CaseThePointerAndFocusArriveInPicturePixelsInOrderAndTheLastClickIsLatched(Subject& s_) {
    Subject* s = &s_;
    Platform& plat = s->plat();
    using K = InputEvent::Kind;
    s->Send(InputEvent::Pointer(K::PointerMove, 100, 200));
    plat.WaitUntil(kNoDeadline, true);  // the pointer is input: the wait ends at once
    s->Send(InputEvent::Pointer(K::PointerDown, 120, 210, PointerButton::Right));
    s->Send(InputEvent::Pointer(K::Wheel, 130, 220, PointerButton::Left, -2));
    s->Send(InputEvent::Of(K::FocusLost));
    s->Send(InputEvent::Of(K::Minimised));
    // Play polls: the last click or wheel turn, once.
    const std::optional<InputEvent> last = plat.LookAtPointer();
    ASSERT_TRUE(last);
    EXPECT_EQ(DescribedInput(*last), "wheel -2 130,220");
    EXPECT_FALSE(plat.LookAtPointer()) << "the look cleared it";
    EXPECT_EQ(TakeInput(plat), (std::vector<std::string>{"move 100,200", "down 2 120,210", "wheel -2 130,220",
                                                         "focus lost", "minimised"}));
    // A move is no click, and flushing forgets a click made before it.
    s->Send(InputEvent::Pointer(K::PointerMove, 5, 5));
    EXPECT_FALSE(plat.LookAtPointer());
    s->Send(InputEvent::Pointer(K::PointerDown, 7, 7));
    plat.WaitUntil(plat.Now() + 1, false);
    FlushKeys(plat);
    EXPECT_FALSE(plat.LookAtPointer());
}

inline void CaseALineCopiedIsWhatAnotherProgramPastesAndTheCalendarIsOfThisCentury(Subject& s_) {
    Subject* s = &s_;
    Platform& plat = s->plat();
    plat.ShowWindow();
    const std::string line = "TramolKulap 2025-06-12 · hard · 01:23 · 0 hints";
    EXPECT_EQ(plat.SetClipboardText(line), ClipboardCopy::Done);
    EXPECT_EQ(s->Clipboard(), line);
    EXPECT_EQ(plat.SetClipboardText("second"), ClipboardCopy::Done);
    EXPECT_EQ(s->Clipboard(), "second") << "a copy replaces the one before";
    // The twin's calendar stands at a chosen day, the real one at today: both after 2023.
    EXPECT_GT(plat.UtcSeconds(), 1'700'000'000);
}

}  // namespace tk::test

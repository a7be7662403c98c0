// What any platform promises the game, as cases each platform's tests run against it: the
// desktop's window and the twin (contract_test.cpp), and the page's (tests/web/contract_in_page.cpp).
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
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
    // What the screen shows at a window pixel, as 0xRRGGBB.
    virtual std::uint32_t ScreenPixel(int x, int y) = 0;
    // The window's place on the desktop, and whether it covers it.
    virtual int Left() = 0;
    virtual int Top() = 0;
    virtual bool FullScreen() = 0;
};

// What waits for the menus, as words: "key <number>/<modifiers>" or "text <text>".
inline std::vector<std::string> TakeInput(Platform& plat) {
    std::vector<std::string> out;
    InputEvent e;
    while (plat.NextInput(e))
        out.push_back(e.kind == InputEvent::Kind::Key
                          ? "key " + std::to_string(static_cast<int>(e.key)) + "/" + std::to_string(e.modifiers)
                          : "text " + e.text);
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

}  // namespace tk::test

// What the game may rely on from any platform, written once and run on both: the headless
// twin the tests drive, and the SDL window on SDL's dummy video and audio drivers. Waits and
// deadlines, a close during a wait, the key latch, typed text, sound with and without a
// device, notices on screen, the window's placement and leaving full screen, the clipboard
// and the calendar (the latch, the notice, the pointer and the clipboard are cases of
// contract_cases.h, which the web page runs too).
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "contract_cases.h"
#include "platform/headless_platform.h"
#include "platform/platform.h"
#include "platform/window_look.h"
#include "support/program_folder.h"
#include "the_window.h"

namespace tk::test {
namespace {

class TwinSubject : public Subject {
public:
    explicit TwinSubject(bool soundDevice = true) : plat_(Options(soundDevice)) {}
    Platform& plat() override { return plat_; }
    void PressKey(Key key, int modifiers) override { plat_.KeyDown(plat_.Now(), key, modifiers); }
    void TypeText(const std::string& text) override { plat_.Type(plat_.Now(), text); }
    void AskToClose() override { plat_.Close(plat_.Now()); }
    void Send(const InputEvent& event) override { plat_.Send(plat_.Now(), event); }
    std::uint32_t ScreenPixel(int x, int y) override {
        const Rgba p = plat_.WindowPixel(x, y);
        return static_cast<std::uint32_t>(p.r << 16 | p.g << 8 | p.b);
    }
    bool FullScreen() override { return plat_.Fullscreen(); }
    ScreenArea LargestMonitor() override { return {0, 0, 1920, 1080}; }
    std::string Clipboard() override {
        const auto copied = plat_.LogOf("clipboard");
        return copied.empty() ? "" : copied.back().detail;
    }

private:
    static HeadlessOptions Options(bool soundDevice) {
        HeadlessOptions o;
        o.closeWhenScriptEnds = false;
        o.audioDevicePresent = soundDevice;
        return o;
    }
    HeadlessPlatform plat_;
};

class SdlSubject : public Subject {
public:
    explicit SdlSubject(bool soundDevice = true) {
        SDL_setenv("SDL_VIDEODRIVER", "dummy", 1);
        // A driver that is not there: the sound device cannot open.
        SDL_setenv("SDL_AUDIODRIVER", soundDevice ? "dummy" : "no such driver", 1);
        plat_ = CreateSdlPlatform();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        InputEvent ignored;
        while (plat_->NextInput(ignored)) {
        }
    }
    ~SdlSubject() override {
        plat_.reset();
        SDL_setenv("SDL_AUDIODRIVER", "dummy", 1);
        // The platform asks for blended scaling process-wide; the twin paints exact pixels.
        SDL_ResetHint(SDL_HINT_RENDER_SCALE_QUALITY);
    }
    Platform& plat() override { return *plat_; }
    void PressKey(Key key, int modifiers) override {
        SDL_Event e{};
        e.type = SDL_KEYDOWN;
        e.key.state = SDL_PRESSED;
        e.key.keysym.sym = Sym(key);
        e.key.keysym.scancode = SDL_GetScancodeFromKey(e.key.keysym.sym);
        e.key.keysym.mod = (modifiers & kShiftHeld) ? KMOD_LSHIFT : 0;
        SDL_PushEvent(&e);
    }
    void TypeText(const std::string& text) override {
        SDL_Event e{};
        e.type = SDL_TEXTINPUT;
        std::strncpy(e.text.text, text.c_str(), sizeof e.text.text - 1);
        SDL_PushEvent(&e);
    }
    void AskToClose() override {
        SDL_Event e{};
        e.type = SDL_QUIT;
        SDL_PushEvent(&e);
    }
    void Send(const InputEvent& event) override {
        SDL_Event e{};
        switch (event.kind) {
            case InputEvent::Kind::PointerMove:
                e.type = SDL_MOUSEMOTION;
                e.motion.x = event.x;
                e.motion.y = event.y;
                break;
            case InputEvent::Kind::PointerDown:
                e.type = SDL_MOUSEBUTTONDOWN;
                e.button.state = SDL_PRESSED;
                e.button.x = event.x;
                e.button.y = event.y;
                e.button.button = event.button == PointerButton::Right    ? SDL_BUTTON_RIGHT
                                  : event.button == PointerButton::Middle ? SDL_BUTTON_MIDDLE
                                                                          : SDL_BUTTON_LEFT;
                break;
            case InputEvent::Kind::Wheel:
                e.type = SDL_MOUSEWHEEL;
                e.wheel.y = event.wheelSteps;
                e.wheel.mouseX = event.x;
                e.wheel.mouseY = event.y;
                break;
            case InputEvent::Kind::FocusLost:
            case InputEvent::Kind::Minimised:
                e.type = SDL_WINDOWEVENT;
                e.window.event = event.kind == InputEvent::Kind::FocusLost ? SDL_WINDOWEVENT_FOCUS_LOST
                                                                           : SDL_WINDOWEVENT_MINIMIZED;
                break;
            default: return;
        }
        SDL_PushEvent(&e);
    }
    std::uint32_t ScreenPixel(int x, int y) override {
        SDL_Surface* screen = SDL_GetWindowSurface(TheWindow());
        if (!screen) return 0xFFFFFFFF;
        Uint8 r = 0, g = 0, b = 0;
        const auto* row = static_cast<const Uint8*>(screen->pixels) + y * screen->pitch;
        SDL_GetRGB(reinterpret_cast<const Uint32*>(row)[x], screen->format, &r, &g, &b);
        return static_cast<std::uint32_t>(r << 16 | g << 8 | b);
    }
    ScreenArea LargestMonitor() override {
        SDL_Rect r{};
        SDL_GetDisplayBounds(0, &r);  // the dummy driver has one
        return {r.x, r.y, r.w, r.h};
    }
    bool FullScreen() override { return (SDL_GetWindowFlags(TheWindow()) & SDL_WINDOW_FULLSCREEN) != 0; }
    std::string Clipboard() override {
        char* text = SDL_GetClipboardText();
        std::string out = text ? text : "";
        SDL_free(text);
        return out;
    }

private:
    static SDL_Keycode Sym(Key key) {
        switch (key) {
        case Key::Return: return SDLK_RETURN;
        case Key::Escape: return SDLK_ESCAPE;
        case Key::Left: return SDLK_LEFT;
        case Key::Right: return SDLK_RIGHT;
        case Key::Up: return SDLK_UP;
        case Key::Down: return SDLK_DOWN;
        default: return key >= Key::A && key <= Key::Z ? SDLK_a + (static_cast<int>(key) - static_cast<int>(Key::A)) : 0;
        }
    }
    std::unique_ptr<Platform> plat_;
};

template <typename S>
class Contract : public ::testing::Test {
protected:
    std::unique_ptr<Subject> Make(bool soundDevice = true) { return std::make_unique<S>(soundDevice); }

};

using Subjects = ::testing::Types<TwinSubject, SdlSubject>;
class SubjectNames {
public:
    template <typename S>
    static std::string GetName(int) {
        return std::is_same_v<S, TwinSubject> ? "Twin" : "Sdl";
    }
};
TYPED_TEST_SUITE(Contract, Subjects, SubjectNames);

TYPED_TEST(Contract, AWaitRunsToItsDeadlineOrEndsWithInputThatArrivedAndDeliversNothing) {
    auto s = this->Make();
    Platform& plat = s->plat();
    std::uint64_t deadline = plat.Now() + 3;
    plat.WaitUntil(deadline, false);
    EXPECT_GE(plat.Now(), deadline);
    // A deadline already past: no wait at all.
    plat.WaitUntil(0, true);

    s->PressKey(Key::Down);
    deadline = plat.Now() + 3;
    plat.WaitUntil(deadline, false);  // not waiting for input: the key does not end it
    EXPECT_GE(plat.Now(), deadline);
    s->PressKey(Key::Up, kShiftHeld);
    s->TypeText("ab");
    deadline = plat.Now() + 60'000;
    plat.WaitUntil(deadline, true);
    EXPECT_LT(plat.Now(), deadline) << "input ends a wait for it";
    EXPECT_EQ(TakeInput(plat), (std::vector<std::string>{KeyDownText(Key::Down), KeyDownText(Key::Up, kShiftHeld),
                                                          "text ab"}));
    EXPECT_FALSE(plat.CloseRequested());
}

TYPED_TEST(Contract, ACloseEndsTheWaitItArrivesInStaysAskedAndLetsNoWaitWaitForEver) {
    auto s = this->Make();
    Platform& plat = s->plat();
    s->AskToClose();
    const std::uint64_t deadline = plat.Now() + 60'000;
    plat.WaitUntil(deadline, false);
    EXPECT_LT(plat.Now(), deadline);
    EXPECT_TRUE(plat.CloseRequested());
    // Asked to close, a wait without a deadline returns at once; one with a deadline keeps it.
    plat.WaitUntil(kNoDeadline, true);
    plat.WaitUntil(kNoDeadline, false);
    const std::uint64_t shortly = plat.Now() + 3;
    plat.WaitUntil(shortly, true);
    EXPECT_GE(plat.Now(), shortly);
    EXPECT_TRUE(plat.CloseRequested());
}

TYPED_TEST(Contract, AKeyIsLatchedUntilLookedAtAndALookSeesWhatArrivedJustBeforeIt) {
    auto s = this->Make();
    CaseAKeyIsLatchedUntilLookedAtAndALookSeesWhatArrivedJustBeforeIt(*s);
}

TYPED_TEST(Contract, ThePointerAndFocusArriveInPicturePixelsInOrderAndTheLastClickIsLatched) {
    auto s = this->Make();
    CaseThePointerAndFocusArriveInPicturePixelsInOrderAndTheLastClickIsLatched(*s);
}

TYPED_TEST(Contract, TypedTextIsTakenOnlyWhileTheLevelBoxShows) {
    auto s = this->Make();
    Platform& plat = s->plat();
    WindowView view;
    plat.Present(view);
    s->TypeText("x");
    plat.WaitUntil(plat.Now() + 1, true);
    EXPECT_TRUE(TakeInput(plat).empty()) << "no box: no text";
    view.levelBox.shown = true;
    plat.Present(view);
    s->TypeText("le");
    s->TypeText("vel2");
    plat.WaitUntil(plat.Now() + 1, true);
    EXPECT_EQ(TakeInput(plat), (std::vector<std::string>{"text le", "text vel2"}));
    view.levelBox.shown = false;
    plat.Present(view);
    s->TypeText("y");
    plat.WaitUntil(plat.Now() + 1, true);
    EXPECT_TRUE(TakeInput(plat).empty());
}

TYPED_TEST(Contract, SoundsAndMusicPlayWithADeviceAndAreSilentWithout) {
    const std::string data = TK_DATA_DIR;
    const std::string effect = data + "/sound/menu.wav";
    const std::string piece = data + "/music/Lumfex - Little bit of happiness.mp3";
    {
        auto s = this->Make(true);
        Platform& plat = s->plat();
        EXPECT_TRUE(plat.PlaySound(effect));
        EXPECT_FALSE(plat.PlaySound(data + "/sound/no such sound.wav"));
        MusicPlayer& music = plat.Music();
        ASSERT_TRUE(music.OpenDevice());
        EXPECT_TRUE(music.Play(piece));
        EXPECT_FALSE(music.Play(data + "/music/no such piece.mp3"));
        EXPECT_TRUE(music.Play(piece));
        music.Stop();
        music.CloseDevice();
        // Off and on again at once: the device comes back while the old one may still be
        // letting go, and an effect opens it again by itself.
        ASSERT_TRUE(music.OpenDevice());
        EXPECT_TRUE(music.Play(piece));
        music.CloseDevice();
        EXPECT_TRUE(plat.PlaySound(effect));
        EXPECT_TRUE(plat.PlaySound(effect));
    }
    auto s = this->Make(false);
    Platform& plat = s->plat();
    EXPECT_FALSE(plat.PlaySound(effect)) << "no device: silence";
    MusicPlayer& music = plat.Music();
    EXPECT_FALSE(music.OpenDevice());
    EXPECT_FALSE(music.Play(piece));
    music.Stop();
    music.CloseDevice();
}

TYPED_TEST(Contract, ANoticeIsOnScreenAtOnceAndNothingWaitsForIt) {
    auto s = this->Make();
    CaseANoticeIsOnScreenAtOnceAndNothingWaitsForIt(*s);
}

TYPED_TEST(Contract, TheWindowStandsWhereItIsPlacedAndComesBackSoFromFullScreen) {
    auto s = this->Make();
    Platform& plat = s->plat();
    const WindowPlacement placed{40, 30, 1000, 700, false};
    plat.PlaceWindow(placed);
    plat.ShowWindow();
    EXPECT_EQ(plat.Placement(), placed);
    plat.SetFullscreen(true);
    EXPECT_TRUE(s->FullScreen());
    EXPECT_EQ(plat.Placement(), placed) << "full screen tells where it goes back to";
    // A placement asked for in full screen is where leaving it goes.
    const WindowPlacement later{120, 80, 900, 650, false};
    plat.PlaceWindow(later);
    EXPECT_TRUE(s->FullScreen());
    plat.SetFullscreen(false);
    EXPECT_FALSE(s->FullScreen());
    EXPECT_EQ(plat.Placement(), later);
}

TYPED_TEST(Contract, AWindowNoMonitorShowsComesBackOnTheLargest) {
    auto s = this->Make();
    Platform& plat = s->plat();
    const ScreenArea m = s->LargestMonitor();
    plat.PlaceWindow({m.left + m.width + 500, m.top + 100, 800, 600, false});  // its monitor was unplugged
    plat.ShowWindow();
    const WindowPlacement p = plat.Placement();
    EXPECT_EQ(p.left, m.left + (m.width - 800) / 2);
    EXPECT_EQ(p.top, m.top + (m.height - 600) / 2);
    EXPECT_EQ(p.width, 800);
    // Still partly on a monitor: it stays where the player put it.
    plat.PlaceWindow({m.left + m.width - 100, m.top + 50, 800, 600, false});
    EXPECT_EQ(plat.Placement().left, m.left + m.width - 100);
}

TYPED_TEST(Contract, ALineCopiedIsWhatAnotherProgramPastesAndTheCalendarIsOfThisCentury) {
    auto s = this->Make();
    CaseALineCopiedIsWhatAnotherProgramPastesAndTheCalendarIsOfThisCentury(*s);
}

}  // namespace
}  // namespace tk::test

// A game controller's buttons and stick arrive as the keys, latches and held keys the
// game already knows: on the headless twin, and on SDL with a virtual controller that is
// plugged in and pulled out while the platform runs.
#include <gtest/gtest.h>

#include <SDL.h>

#include <string>
#include <vector>

#include "platform/headless_platform.h"
#include "platform/platform.h"

namespace tk::test {
namespace {

std::vector<std::string> Taken(Platform& plat) {
    std::vector<std::string> out;
    InputEvent e;
    while (plat.NextInput(e))
        if (e.kind == InputEvent::Kind::Key)
            out.push_back(std::to_string(static_cast<int>(e.key)) + "/" + std::to_string(e.modifiers));
    return out;
}

std::string Plain(Key key) { return std::to_string(static_cast<int>(key)) + "/0"; }

// Latched: the first look reports the press, the second nothing (the button is up).
void ExpectLatchedOnce(Platform& plat, Key key) {
    EXPECT_TRUE(plat.LookAt(key).pressed) << "key " << static_cast<int>(key) << " latched";
    EXPECT_EQ(plat.LookAt(key), KeyState{}) << "key " << static_cast<int>(key) << " looked at again";
}

bool HeldNow(Platform& plat, Key key) { return plat.LookAt(key).down; }

TEST(ControllerOnTheTwin, ButtonsGiveTheMenusKeysAndLatchTheQuestionsAnswers) {
    HeadlessOptions o;
    o.closeWhenScriptEnds = false;
    HeadlessPlatform plat(o);
    plat.PadPress(10, PadButton::A, 5);
    plat.PadPress(20, PadButton::B, 5);
    plat.PadPress(30, PadButton::Back, 5);
    plat.PadPress(40, PadButton::DpadDown, 5);
    plat.PadPress(50, PadButton::LeftShoulder, 5);  // no key-down: menus have no use for it
    plat.WaitUntil(100, false);

    EXPECT_EQ(Taken(plat), (std::vector<std::string>{Plain(Key::Return), Plain(Key::Escape), Plain(Key::Escape),
                                                     Plain(Key::Down)}));
    ExpectLatchedOnce(plat, Key::Return);
    ExpectLatchedOnce(plat, Key::Y);  // A answers yes
    ExpectLatchedOnce(plat, Key::Escape);
    ExpectLatchedOnce(plat, Key::N);  // B and Back answer no
    ExpectLatchedOnce(plat, Key::Down);
    ExpectLatchedOnce(plat, Key::Control);
    ExpectLatchedOnce(plat, Key::Left);
    EXPECT_EQ(plat.LookAt(Key::Right), KeyState{});
}

TEST(ControllerOnTheTwin, TurningAndWalkingHoldTheirKeysWhileAnswersDoNot) {
    HeadlessOptions o;
    o.closeWhenScriptEnds = false;
    HeadlessPlatform plat(o);
    plat.PadDown(10, PadButton::Y);
    plat.PadDown(10, PadButton::DpadUp);
    plat.PadDown(10, PadButton::B);
    plat.WaitUntil(50, false);
    FlushKeys(plat);
    // Still held after the flush: turning clockwise and walking up go on.
    EXPECT_TRUE(HeldNow(plat, Key::Control));
    EXPECT_TRUE(HeldNow(plat, Key::Right));
    EXPECT_TRUE(HeldNow(plat, Key::Up));
    // The B that asked the quit question cannot answer it by staying down.
    EXPECT_EQ(plat.LookAt(Key::Escape), KeyState{});
    EXPECT_EQ(plat.LookAt(Key::N), KeyState{});

    plat.PadUp(60, PadButton::Y);
    plat.PadUp(60, PadButton::DpadUp);
    plat.WaitUntil(70, false);
    EXPECT_EQ(plat.LookAt(Key::Control), KeyState{});
    EXPECT_EQ(plat.LookAt(Key::Right), KeyState{});
    EXPECT_EQ(plat.LookAt(Key::Up), KeyState{});

    // The right shoulder and X stand for the same keys as Y and the left shoulder.
    plat.PadDown(80, PadButton::RightShoulder);
    plat.PadDown(80, PadButton::X);
    plat.WaitUntil(90, false);
    EXPECT_TRUE(HeldNow(plat, Key::Right));
    EXPECT_TRUE(HeldNow(plat, Key::Left));
    // Pulled out, the controller holds nothing any more.
    plat.PadUnplug(100);
    plat.WaitUntil(110, false);
    EXPECT_FALSE(HeldNow(plat, Key::Right));
    EXPECT_FALSE(HeldNow(plat, Key::Control));
}

TEST(ControllerOnTheTwin, TheStickWalksPastItsDeadZoneWithoutChattering) {
    HeadlessOptions o;
    o.closeWhenScriptEnds = false;
    HeadlessPlatform plat(o);
    plat.PadStick(10, PadAxis::LeftX, 9000);    // inside the dead zone
    plat.PadStick(20, PadAxis::LeftX, 20000);   // pushed right: one key-down
    plat.PadStick(30, PadAxis::LeftX, 14000);   // sagging, still right
    plat.PadStick(40, PadAxis::LeftX, 21000);   // and back out: no second key-down
    plat.WaitUntil(50, false);
    EXPECT_EQ(Taken(plat), (std::vector<std::string>{Plain(Key::Right)}));
    EXPECT_TRUE(HeldNow(plat, Key::Right));

    plat.PadStick(60, PadAxis::LeftX, 3000);    // let go
    plat.PadStick(70, PadAxis::LeftY, -30000);  // up
    plat.PadStick(80, PadAxis::LeftY, 30000);   // straight over to down
    plat.PadStick(90, PadAxis::LeftX, -12000);  // left, not far enough
    plat.WaitUntil(100, false);
    EXPECT_EQ(Taken(plat), (std::vector<std::string>{Plain(Key::Up), Plain(Key::Down)}));
    EXPECT_FALSE(HeldNow(plat, Key::Right));
    EXPECT_FALSE(HeldNow(plat, Key::Left));
    EXPECT_FALSE(HeldNow(plat, Key::Up));
    EXPECT_TRUE(HeldNow(plat, Key::Down));
}

// ---- the real platform, with SDL's virtual controller --------------------------------

class SdlController : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        SDL_setenv("SDL_VIDEODRIVER", "dummy", 1);
        SDL_setenv("SDL_AUDIODRIVER", "dummy", 1);
        // SDL hands a controller's events only to the window with the focus, and the
        // dummy driver's window never gets it. A hint, not the environment: SDL may be
        // up already from an earlier test, and reads the environment only as it starts.
        SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    }
    SdlController() { plat = CreateSdlPlatform(); }
    ~SdlController() override {
        Unplug();
        plat.reset();
        // The platform asks for blended scaling process-wide; the twin's tests that run
        // after this one in the same process paint with exact pixels.
        SDL_ResetHint(SDL_HINT_RENDER_SCALE_QUALITY);
    }

    // A controller plugged in: the platform opens it when it next looks at its events.
    void Plug() {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.name = "test pad";
        device = SDL_JoystickAttachVirtualEx(&desc);
        ASSERT_GE(device, 0) << SDL_GetError();
        joystick = SDL_JoystickOpen(device);
        ASSERT_NE(joystick, nullptr) << SDL_GetError();
        Taken(*plat);
    }
    void Unplug() {
        if (!joystick) return;
        SDL_JoystickClose(joystick);
        joystick = nullptr;
        SDL_JoystickDetachVirtual(device);
    }
    void Button(SDL_GameControllerButton button, bool down) {
        SDL_JoystickSetVirtualButton(joystick, button, down ? SDL_PRESSED : SDL_RELEASED);
    }
    void Axis(SDL_GameControllerAxis axis, Sint16 value) { SDL_JoystickSetVirtualAxis(joystick, axis, value); }

    std::unique_ptr<Platform> plat;
    SDL_Joystick* joystick = nullptr;
    int device = -1;
};

TEST_F(SdlController, ButtonsArriveAsKeysAndHeldButtonsAsHeldKeys) {
    Plug();
    Button(SDL_CONTROLLER_BUTTON_A, true);
    EXPECT_EQ(Taken(*plat), (std::vector<std::string>{Plain(Key::Return)}));
    Button(SDL_CONTROLLER_BUTTON_A, false);
    Button(SDL_CONTROLLER_BUTTON_B, true);
    Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
    Button(SDL_CONTROLLER_BUTTON_LEFTSHOULDER, true);
    EXPECT_EQ(Taken(*plat), (std::vector<std::string>{Plain(Key::Escape), Plain(Key::Left)}));
    ExpectLatchedOnce(*plat, Key::Y);
    ExpectLatchedOnce(*plat, Key::N);
    EXPECT_TRUE(HeldNow(*plat, Key::Left));
    EXPECT_TRUE(HeldNow(*plat, Key::Control));
    EXPECT_TRUE(HeldNow(*plat, Key::Left)) << "held, not only latched";
    EXPECT_FALSE(plat->LookAt(Key::Escape).down) << "B only latches";

    Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, false);
    Button(SDL_CONTROLLER_BUTTON_LEFTSHOULDER, false);
    Axis(SDL_CONTROLLER_AXIS_LEFTY, 32767);
    EXPECT_EQ(Taken(*plat), (std::vector<std::string>{Plain(Key::Down)}));
    EXPECT_FALSE(HeldNow(*plat, Key::Left));
    EXPECT_TRUE(HeldNow(*plat, Key::Down));

    // A wait for input wakes for a controller's key-down as for a key's.
    Button(SDL_CONTROLLER_BUTTON_DPAD_UP, true);
    plat->WaitUntil(kNoDeadline, true);
    EXPECT_EQ(Taken(*plat), (std::vector<std::string>{Plain(Key::Up)}));
}

TEST_F(SdlController, AControllerPulledOutLetsGoAndOnePluggedInLaterPlays) {
    Plug();
    Button(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, true);
    Taken(*plat);
    EXPECT_TRUE(HeldNow(*plat, Key::Right));
    Unplug();
    EXPECT_TRUE(Taken(*plat).empty());
    EXPECT_FALSE(HeldNow(*plat, Key::Right)) << "nothing stays held by a controller that is gone";

    Plug();
    Button(SDL_CONTROLLER_BUTTON_X, true);
    Taken(*plat);
    EXPECT_TRUE(HeldNow(*plat, Key::Left));
    EXPECT_TRUE(HeldNow(*plat, Key::Control));
}

}  // namespace
}  // namespace tk::test

// A game controller's buttons and stick arrive as the key codes, latches and held keys the
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
        if (e.kind == InputEvent::Kind::Key) out.push_back(std::to_string(e.vk) + "/" + std::to_string(e.shift));
    return out;
}

std::string Key(int vkCode) { return std::to_string(vkCode) + "/0"; }

// Latched: the first query reports the press, the second nothing (the button is up).
void ExpectLatchedOnce(Platform& plat, int vkCode) {
    EXPECT_EQ(plat.GetAsyncKeyState(vkCode) & 1, 1) << "key " << vkCode << " latched";
    EXPECT_EQ(plat.GetAsyncKeyState(vkCode), 0) << "key " << vkCode << " asked again";
}

bool HeldNow(Platform& plat, int vkCode) { return (plat.GetAsyncKeyState(vkCode) & 0x8000) != 0; }

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

    EXPECT_EQ(Taken(plat), (std::vector<std::string>{Key(vk::Return), Key(vk::Escape), Key(vk::Escape),
                                                     Key(vk::Down)}));
    ExpectLatchedOnce(plat, vk::Return);
    ExpectLatchedOnce(plat, vk::letter('Y'));  // A answers yes
    ExpectLatchedOnce(plat, vk::Escape);
    ExpectLatchedOnce(plat, vk::letter('N'));  // B and Back answer no
    ExpectLatchedOnce(plat, vk::Down);
    ExpectLatchedOnce(plat, vk::Control);
    ExpectLatchedOnce(plat, vk::Left);
    EXPECT_EQ(plat.GetAsyncKeyState(vk::Right), 0);
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
    EXPECT_TRUE(HeldNow(plat, vk::Control));
    EXPECT_TRUE(HeldNow(plat, vk::Right));
    EXPECT_TRUE(HeldNow(plat, vk::Up));
    // The B that asked the quit question cannot answer it by staying down.
    EXPECT_EQ(plat.GetAsyncKeyState(vk::Escape), 0);
    EXPECT_EQ(plat.GetAsyncKeyState(vk::letter('N')), 0);

    plat.PadUp(60, PadButton::Y);
    plat.PadUp(60, PadButton::DpadUp);
    plat.WaitUntil(70, false);
    EXPECT_EQ(plat.GetAsyncKeyState(vk::Control), 0);
    EXPECT_EQ(plat.GetAsyncKeyState(vk::Right), 0);
    EXPECT_EQ(plat.GetAsyncKeyState(vk::Up), 0);

    // The right shoulder and X stand for the same keys as Y and the left shoulder.
    plat.PadDown(80, PadButton::RightShoulder);
    plat.PadDown(80, PadButton::X);
    plat.WaitUntil(90, false);
    EXPECT_TRUE(HeldNow(plat, vk::Right));
    EXPECT_TRUE(HeldNow(plat, vk::Left));
    // Pulled out, the controller holds nothing any more.
    plat.PadUnplug(100);
    plat.WaitUntil(110, false);
    EXPECT_FALSE(HeldNow(plat, vk::Right));
    EXPECT_FALSE(HeldNow(plat, vk::Control));
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
    EXPECT_EQ(Taken(plat), (std::vector<std::string>{Key(vk::Right)}));
    EXPECT_TRUE(HeldNow(plat, vk::Right));

    plat.PadStick(60, PadAxis::LeftX, 3000);    // let go
    plat.PadStick(70, PadAxis::LeftY, -30000);  // up
    plat.PadStick(80, PadAxis::LeftY, 30000);   // straight over to down
    plat.PadStick(90, PadAxis::LeftX, -12000);  // left, not far enough
    plat.WaitUntil(100, false);
    EXPECT_EQ(Taken(plat), (std::vector<std::string>{Key(vk::Up), Key(vk::Down)}));
    EXPECT_FALSE(HeldNow(plat, vk::Right));
    EXPECT_FALSE(HeldNow(plat, vk::Left));
    EXPECT_FALSE(HeldNow(plat, vk::Up));
    EXPECT_TRUE(HeldNow(plat, vk::Down));
}

// ---- the real platform, with SDL's virtual controller --------------------------------

class SdlController : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        SDL_setenv("SDL_VIDEODRIVER", "dummy", 1);
        SDL_setenv("SDL_AUDIODRIVER", "dummy", 1);
        // SDL hands a controller's events only to the window with the focus, and the
        // dummy driver's window never gets it.
        SDL_setenv("SDL_JOYSTICK_ALLOW_BACKGROUND_EVENTS", "1", 1);
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
    EXPECT_EQ(Taken(*plat), (std::vector<std::string>{Key(vk::Return)}));
    Button(SDL_CONTROLLER_BUTTON_A, false);
    Button(SDL_CONTROLLER_BUTTON_B, true);
    Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
    Button(SDL_CONTROLLER_BUTTON_LEFTSHOULDER, true);
    EXPECT_EQ(Taken(*plat), (std::vector<std::string>{Key(vk::Escape), Key(vk::Left)}));
    ExpectLatchedOnce(*plat, vk::letter('Y'));
    ExpectLatchedOnce(*plat, vk::letter('N'));
    EXPECT_TRUE(HeldNow(*plat, vk::Left));
    EXPECT_TRUE(HeldNow(*plat, vk::Control));
    EXPECT_TRUE(HeldNow(*plat, vk::Left)) << "held, not only latched";
    EXPECT_EQ(plat->GetAsyncKeyState(vk::Escape) & 0x8000, 0) << "B only latches";

    Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, false);
    Button(SDL_CONTROLLER_BUTTON_LEFTSHOULDER, false);
    Axis(SDL_CONTROLLER_AXIS_LEFTY, 32767);
    EXPECT_EQ(Taken(*plat), (std::vector<std::string>{Key(vk::Down)}));
    EXPECT_FALSE(HeldNow(*plat, vk::Left));
    EXPECT_TRUE(HeldNow(*plat, vk::Down));

    // A wait for input wakes for a controller's key-down as for a key's.
    Button(SDL_CONTROLLER_BUTTON_DPAD_UP, true);
    plat->WaitUntil(kNoDeadline, true);
    EXPECT_EQ(Taken(*plat), (std::vector<std::string>{Key(vk::Up)}));
}

TEST_F(SdlController, AControllerPulledOutLetsGoAndOnePluggedInLaterPlays) {
    Plug();
    Button(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, true);
    Taken(*plat);
    EXPECT_TRUE(HeldNow(*plat, vk::Right));
    Unplug();
    EXPECT_TRUE(Taken(*plat).empty());
    EXPECT_FALSE(HeldNow(*plat, vk::Right)) << "nothing stays held by a controller that is gone";

    Plug();
    Button(SDL_CONTROLLER_BUTTON_X, true);
    Taken(*plat);
    EXPECT_TRUE(HeldNow(*plat, vk::Left));
    EXPECT_TRUE(HeldNow(*plat, vk::Control));
}

}  // namespace
}  // namespace tk::test

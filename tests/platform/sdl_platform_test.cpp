// The real SDL platform on SDL's dummy video driver: events in, what the game sees out.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace tk::test {
namespace {

class SdlWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        SDL_setenv("SDL_VIDEODRIVER", "dummy", 1);
        SDL_setenv("SDL_AUDIODRIVER", "dummy", 1);
    }
    SdlWindow() {
        plat = CreateSdlPlatform();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        Take();
    }

    static void Key(SDL_Keycode sym, SDL_Scancode sc, Uint16 mod = 0) {
        SDL_Event e{};
        e.type = SDL_KEYDOWN;
        e.key.state = SDL_PRESSED;
        e.key.keysym.sym = sym;
        e.key.keysym.scancode = sc;
        e.key.keysym.mod = mod;
        SDL_PushEvent(&e);
    }
    static void Text(const char* utf8) {
        SDL_Event e{};
        e.type = SDL_TEXTINPUT;
        std::strncpy(e.text.text, utf8, sizeof e.text.text - 1);
        SDL_PushEvent(&e);
    }
    static void Quit() {
        SDL_Event quit{};
        quit.type = SDL_QUIT;
        SDL_PushEvent(&quit);
    }
    std::vector<std::string> Take() {
        std::vector<std::string> out;
        InputEvent e;
        while (plat->NextInput(e)) {
            out.push_back(e.kind == InputEvent::Kind::Key ? "key " + std::to_string(e.vk) + "/" + std::to_string(e.shift)
                                                          : "text " + e.text);
        }
        return out;
    }

    Controls ctl;
    std::unique_ptr<Platform> plat;
};

TEST_F(SdlWindow, KeysArriveInOrderAsTheGameKnowsThem) {
    Key(SDLK_DOWN, SDL_SCANCODE_DOWN);
    Key(SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, KMOD_LSHIFT);
    Key(SDLK_z, SDL_SCANCODE_Y);      // a QWERTZ keyboard's Z
    Key(SDLK_F13, SDL_SCANCODE_F13);  // no code for the game: not delivered
    SDL_Event click{};
    click.type = SDL_MOUSEBUTTONDOWN;  // the mouse plays no part
    click.button.button = SDL_BUTTON_LEFT;
    SDL_PushEvent(&click);
    plat->WaitUntil(kNoDeadline, true);  // something arrived: returns at once
    EXPECT_EQ(Take(), (std::vector<std::string>{"key 40/0", "key 13/1", "key 90/0"}));
    EXPECT_FALSE(plat->CloseRequested());
}

TEST_F(SdlWindow, PressesAreLatchedForPollingUntilAsked) {
    Key(SDLK_LEFT, SDL_SCANCODE_LEFT);
    EXPECT_NE(plat->GetAsyncKeyState(vk::Left), 0);
    EXPECT_EQ(plat->GetAsyncKeyState(vk::Left), 0);
    EXPECT_EQ(plat->GetAsyncKeyState(vk::Right), 0);
    EXPECT_EQ(plat->GetAsyncKeyState(0x400), 0);
    // The key-down still waits for the game's handler: polling takes nothing from it.
    EXPECT_EQ(Take(), (std::vector<std::string>{"key 37/0"}));
}

TEST_F(SdlWindow, ACloseRequestIsSeenByAnyWaitAndByALoopThatOnlyPolls) {
    Quit();
    plat->GetAsyncKeyState(vk::letter('y'));
    EXPECT_TRUE(plat->CloseRequested());
    // Asked to close, no wait waits: neither for a deadline nor for a key.
    plat->WaitUntil(kNoDeadline, false);
    plat->WaitUntil(kNoDeadline, true);
    EXPECT_TRUE(plat->CloseRequested());
}

TEST_F(SdlWindow, TypedTextReachesTheGameOnlyWhileTheBoxIsShown) {
    ctl.levelBox.Visible = true;
    plat->Present(ctl);
    Text("le");
    Text("vel2");
    EXPECT_EQ(Take(), (std::vector<std::string>{"text le", "text vel2"}));
    ctl.levelBox.Visible = false;
    plat->Present(ctl);
    Text("x");
    EXPECT_TRUE(Take().empty());
}

TEST_F(SdlWindow, FullScreenIsAStateOfItsOwnAndPicturesMayBeMissing) {
    const std::string folder = plat->ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), '/');
    EXPECT_EQ(plat->LoadPicture(folder + "/no such picture.png"), 0u);
    plat->PlaySound(folder + "/no such sound.wav");  // silent, no crash
    ctl.board.Visible = true;
    ctl.levelBox.Visible = true;
    ctl.clock.Visible = true;
    ctl.clock.Caption = "01:00";
    plat->ShowWindow();
    plat->Present(ctl);
    // The window this test's platform made is the newest one.
    SDL_Window* window = nullptr;
    for (Uint32 id = 1; id < 1000; ++id)
        if (SDL_Window* w = SDL_GetWindowFromID(id)) window = w;
    ASSERT_NE(window, nullptr);
    plat->SetFullscreen(true);
    plat->Present(ctl);
    EXPECT_NE(SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP, 0u);
    plat->SetFullscreen(false);
    plat->Present(ctl);
    EXPECT_EQ(SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN, 0u);
    int w = 0, h = 0;
    SDL_GetWindowSize(window, &w, &h);
    EXPECT_EQ(w, 800);
    EXPECT_EQ(h, 600);
    EXPECT_GT(plat->DesktopWidth(), 0);
    MusicPlayer& m = plat->Music();
    if (m.Open(44100)) {
        EXPECT_EQ(m.Load(folder + "/no such music.mp3"), 0u);
        m.Close();
    }
}

}  // namespace
}  // namespace tk::test

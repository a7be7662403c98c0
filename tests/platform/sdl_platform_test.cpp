// The real SDL platform on SDL's dummy video driver: events in, what the game sees out.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "the_window.h"

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
    static std::string Named(tk::Key key, int modifiers) {
        return "key " + std::to_string(static_cast<int>(key)) + "/" + std::to_string(modifiers);
    }
    std::vector<std::string> Take() {
        std::vector<std::string> out;
        InputEvent e;
        while (plat->NextInput(e)) {
            if (e.kind == InputEvent::Kind::Key) out.push_back(Named(e.key, e.modifiers));
            if (e.kind == InputEvent::Kind::Text) out.push_back("text " + e.text);
            if (e.kind == InputEvent::Kind::PointerDown) out.push_back("click");
        }
        return out;
    }

    WindowView view;
    std::unique_ptr<Platform> plat;
};

// Waits, the key latch, typed text, sound, notices and full screen are in the contract
// both platforms keep (contract_test.cpp); here is what only the real window does.

TEST_F(SdlWindow, KeysArriveInOrderAsTheGameKnowsThemAndAClickIsNoKey) {
    Key(SDLK_DOWN, SDL_SCANCODE_DOWN);
    Key(SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, KMOD_LSHIFT);
    Key(SDLK_z, SDL_SCANCODE_Y);      // a QWERTZ keyboard's Z
    Key(SDLK_F13, SDL_SCANCODE_F13);  // no key of the game's: not delivered
    SDL_Event click{};
    click.type = SDL_MOUSEBUTTONDOWN;  // the pointer's, not a key's
    click.button.button = SDL_BUTTON_LEFT;
    SDL_PushEvent(&click);
    plat->WaitUntil(kNoDeadline, true);  // something arrived: returns at once
    EXPECT_EQ(Take(), (std::vector<std::string>{Named(tk::Key::Down, 0), Named(tk::Key::Return, kShiftHeld),
                                                Named(tk::Key::Z, 0), "click"}));
    EXPECT_FALSE(plat->CloseRequested());
}

// A window of another size shows the picture scaled between bars: the pointer is told in
// the picture's own pixels, and over the bars not at all.
TEST_F(SdlWindow, ClicksInAScaledWindowArriveAsPointsOfThePicture) {
    plat->ShowWindow();
    SDL_Window* window = TheWindow();
    ASSERT_NE(window, nullptr);
    SDL_SetWindowSize(window, 1000, 600);  // the picture at its own height, 100 px bars beside it
    plat->Present(view);
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    Take();
    for (int x : {50, 500, 899}) {
        SDL_Event click{};
        click.type = SDL_MOUSEBUTTONDOWN;
        click.button.button = SDL_BUTTON_LEFT;
        click.button.x = x;
        click.button.y = 300;
        SDL_PushEvent(&click);
    }
    std::vector<std::pair<int, int>> points;
    InputEvent e;
    while (plat->NextInput(e))
        if (e.kind == InputEvent::Kind::PointerDown) points.emplace_back(e.x, e.y);
    EXPECT_EQ(points, (std::vector<std::pair<int, int>>{{400, 300}, {799, 300}}));
}

TEST_F(SdlWindow, ProgramFolderAndFilesThatCannotBeRead) {
    const std::string folder = plat->ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), '/');
    EXPECT_EQ(plat->LoadPicture(folder + "/no such picture.png"), 0u);
    EXPECT_EQ(plat->LoadPicture(folder), 0u) << "a folder is no picture";
    EXPECT_EQ(plat->LoadPicture(reinterpret_cast<const unsigned char*>("GIF?"), 4), 0u);
    EXPECT_FALSE(plat->PlaySound(folder + "/no such sound.wav"));  // silent, no crash
}

// Full screen is a state of its own: the window follows it whatever the desktop's size.
TEST_F(SdlWindow, FullScreenCoversTheDesktopAndLeavingItGivesBackTheWindowAtItsOwnSize) {
    plat->ShowWindow();
    SDL_Window* window = TheWindow();
    ASSERT_NE(window, nullptr);
    plat->SetFullscreen(true);
    plat->Present(view);
    EXPECT_EQ(SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP, Uint32{SDL_WINDOW_FULLSCREEN_DESKTOP});
    plat->SetFullscreen(false);
    plat->Present(view);
    int w = 0, h = 0;
    SDL_GetWindowSize(window, &w, &h);
    EXPECT_EQ(w, 800);
    EXPECT_EQ(h, 600);
    EXPECT_GT(plat->DesktopWidth(), 0);
}

// Presenting composes the elements into the window: the clock on its ground, the text
// box; and afterwards only a change reaches the window again.
TEST_F(SdlWindow, PresentDrawsTheElementsIntoTheWindow) {
    view.play.clockShown = true;
    view.play.clock = "01:00";
    view.levelBox.shown = true;
    plat->ShowWindow();
    plat->Present(view);
    SDL_Surface* screen = SDL_GetWindowSurface(TheWindow());
    ASSERT_NE(screen, nullptr);
    const auto pixel = [&](int x, int y) {
        Uint8 r = 0, g = 0, b = 0;
        const auto* row = static_cast<const Uint8*>(screen->pixels) + y * screen->pitch;
        SDL_GetRGB(reinterpret_cast<const Uint32*>(row)[x], screen->format, &r, &g, &b);
        return static_cast<Uint32>(r << 16 | g << 8 | b);
    };
    EXPECT_EQ(pixel(17, 524), 0x000000u) << "the clock's ground";
    int face = 0;
    for (int x = 15; x < 180; ++x)
        for (int y = 522; y < 583; ++y) face += pixel(x, y) == 0xE0FF00u;
    EXPECT_GT(face, 100) << "the clock's digits";
    EXPECT_EQ(pixel(139, 412), 0x808080u) << "the level box's frame";
    EXPECT_EQ(pixel(300, 450), 0xFFFFFFu) << "the level box's inside";
    EXPECT_EQ(pixel(400, 300), 0x000000u) << "no window picture: black";

    // Something painted over the window behind the game's back stays until the game
    // has something new to show there.
    const SDL_Rect spot{400, 300, 10, 10};
    SDL_FillRect(screen, &spot, SDL_MapRGB(screen->format, 255, 0, 0));
    plat->Present(view);
    EXPECT_EQ(pixel(400, 300), 0xFF0000u) << "nothing changed: nothing was sent";
    view.play.clock = "00:59";
    plat->Present(view);
    EXPECT_EQ(pixel(400, 300), 0xFF0000u) << "only the clock was sent";
    EXPECT_EQ(pixel(17, 524), 0x000000u);
}

// The music on the dummy audio device, with the game's own piece.
TEST_F(SdlWindow, MusicPlaysAndStopsThePiece) {
    MusicPlayer& m = plat->Music();
    ASSERT_TRUE(m.OpenDevice()) << "the dummy audio device opens";
    EXPECT_FALSE(m.Play(plat->ProgramFolder() + "/no such music.mp3"));
    EXPECT_FALSE(Mix_PlayingMusic());
    const std::string piece = std::string(TK_DATA_DIR) + "/music/Lumfex - Little bit of happiness.mp3";
    ASSERT_TRUE(m.Play(piece));
    EXPECT_TRUE(Mix_PlayingMusic());
    EXPECT_EQ(Mix_VolumeMusic(-1), MIX_MAX_VOLUME) << "at full volume";
    m.Stop();
    EXPECT_FALSE(Mix_PlayingMusic());
    m.CloseDevice();
}

}  // namespace
}  // namespace tk::test

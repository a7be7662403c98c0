// The real SDL platform on SDL's dummy video driver: events in, the handlers the game sees out.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace tk::test {
namespace {

// The window the platform opened: the only one while a test runs.
SDL_Window* TheWindow() {
    for (Uint32 id = 1; id < 100000; ++id)
        if (SDL_Window* w = SDL_GetWindowFromID(id)) return w;
    return nullptr;
}

struct Sink : EventSink {
    std::vector<std::string> seen;
    void Form_KeyDown(std::int16_t& key, std::int16_t& shift) override {
        seen.push_back("key " + std::to_string(key) + "/" + std::to_string(shift));
    }
    void Form_MouseDown(int button, int, float x, float y) override {
        seen.push_back("mouse " + std::to_string(button) + " " + std::to_string(static_cast<int>(x)) + "," +
                       std::to_string(static_cast<int>(y)));
    }
    void Timer1_Timer() override { seen.push_back("tick"); }
    void Form_CloseRequest() override { seen.push_back("close"); }
};

class SdlWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        SDL_setenv("SDL_VIDEODRIVER", "dummy", 1);
        SDL_setenv("SDL_AUDIODRIVER", "dummy", 1);
    }
    SdlWindow() {
        plat = CreateSdlPlatform();
        plat->Attach(ctl, sink);
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        plat->DoEvents();
        sink.seen.clear();
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

    Controls ctl;
    Sink sink;
    std::unique_ptr<Platform> plat;
};

TEST_F(SdlWindow, KeysReachTheHandlerOnlyFromDoEventsInOrder) {
    Key(SDLK_DOWN, SDL_SCANCODE_DOWN);
    Key(SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, KMOD_LSHIFT);
    Key(SDLK_z, SDL_SCANCODE_Y);  // a QWERTZ keyboard's Z
    Key(SDLK_F13, SDL_SCANCODE_F13);  // no code for the game: not delivered
    plat->Sleep(0);
    EXPECT_TRUE(sink.seen.empty());
    plat->WaitEvents();  // something is queued: returns at once
    plat->DoEvents();
    EXPECT_EQ(sink.seen, (std::vector<std::string>{"key 40/0", "key 13/1", "key 90/0"}));
}

TEST_F(SdlWindow, PressesAreLatchedForPollingUntilAsked) {
    Key(SDLK_LEFT, SDL_SCANCODE_LEFT);
    EXPECT_NE(plat->GetAsyncKeyState(vk::Left), 0);
    EXPECT_EQ(plat->GetAsyncKeyState(vk::Left), 0);
    EXPECT_EQ(plat->GetAsyncKeyState(vk::Right), 0);
    EXPECT_EQ(plat->GetAsyncKeyState(0x400), 0);
    // A quit from the window system reaches the game even in a loop that only polls.
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    plat->GetAsyncKeyState(vk::letter('y'));
    ASSERT_FALSE(sink.seen.empty());
    EXPECT_EQ(sink.seen.front(), "close");
}

TEST_F(SdlWindow, TextBoxTakesTypingAndEditingKeys) {
    ctl.Text2.Visible = true;
    Text("le");
    Text(" ");  // Space accepts; it is never typed
    Text("vel2");
    Key(SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE);
    Key(SDLK_HOME, SDL_SCANCODE_HOME);
    Key(SDLK_DELETE, SDL_SCANCODE_DELETE);
    plat->DoEvents();
    EXPECT_EQ(ctl.Text2.Text, "evel");
    EXPECT_EQ(ctl.Text2.SelStart, 0);
    EXPECT_EQ(sink.seen.size(), 3u);  // the handler saw every key first
    ctl.Text2.Visible = false;
    Text("x");
    plat->DoEvents();
    EXPECT_EQ(ctl.Text2.Text, "evel");
}

TEST_F(SdlWindow, TimerTicksOnceWhenDueAndClicksGoToTheHandler) {
    plat->EnableTimer(ctl.Timer1, true);
    plat->DoEvents();
    EXPECT_TRUE(sink.seen.empty());  // a whole interval to go
    ctl.Timer1.dueAt = plat->Now() > 5000 ? plat->Now() - 5000 : 0;  // long overdue
    plat->DoEvents();
    plat->DoEvents();
    EXPECT_EQ(sink.seen, (std::vector<std::string>{"tick"}));
    EXPECT_GT(ctl.Timer1.dueAt, plat->Now());

    SDL_Event click{};
    click.type = SDL_MOUSEBUTTONDOWN;
    click.button.button = SDL_BUTTON_RIGHT;
    click.button.x = 10;
    click.button.y = 20;
    SDL_PushEvent(&click);
    plat->DoEvents();
    EXPECT_EQ(sink.seen.back(), "mouse 2 150,300");  // twips
}

TEST_F(SdlWindow, ProgramFolderAndFilesThatCannotBeRead) {
    const std::string folder = plat->ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), '/');
    EXPECT_EQ(plat->GdipCreateBitmapFromFile(folder + "/no such picture.png"), 0u);
    EXPECT_EQ(plat->GdipCreateBitmapFromFile(folder), 0u) << "a folder is no picture";
    PictureHandle bad = plat->LoadPictureFromMemory(reinterpret_cast<const unsigned char*>("GIF?"), 4);
    EXPECT_EQ(bad, 0u);
}

// Full screen is what the game asks for, whatever the size: an 800 × 600 desktop asks
// for 800 × 600 to leave full screen as well as to enter it.
TEST_F(SdlWindow, FullScreenFollowsTheModeNotTheSize) {
    plat->ShowWindow();
    SDL_Window* window = TheWindow();
    ASSERT_NE(window, nullptr);
    const auto fullScreen = [&] { return (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN) != 0; };
    EXPECT_FALSE(fullScreen());
    plat->ChangeDisplayMode(800, 600, WindowMode::FullScreen);
    EXPECT_EQ(SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP, Uint32{SDL_WINDOW_FULLSCREEN_DESKTOP});
    plat->ChangeDisplayMode(800, 600, WindowMode::Windowed);
    EXPECT_FALSE(fullScreen());
    int w = 0, h = 0;
    SDL_GetWindowSize(window, &w, &h);
    EXPECT_EQ(w, 800);
    EXPECT_EQ(h, 600);
    plat->ChangeDisplayMode(1024, 768, WindowMode::FullScreen);
    EXPECT_TRUE(fullScreen());
    plat->ChangeDisplayMode(1024, 768, WindowMode::Windowed);
    EXPECT_FALSE(fullScreen());
}

// A repaint composes the elements into the window: the clock on its ground, the text box.
TEST_F(SdlWindow, RepaintDrawsTheElementsIntoTheWindow) {
    ctl.Label4 = Label{};
    ctl.Label4.Visible = true;
    ctl.Label4.Caption = "01:00";
    ctl.Label4.Left = 15, ctl.Label4.Top = 522, ctl.Label4.Width = 165, ctl.Label4.Height = 61;
    ctl.Label4.AutoSize = false;
    ctl.Label4.Alignment = Align::Center;
    ctl.Label4.FontSize = 36;
    ctl.Label4.FontBold = true;
    ctl.Label4.ForeColor = Rgb{224, 255, 0};
    ctl.Label4.BackOpaque = true;
    ctl.Label4.BackColor = Rgb{0, 0, 160};
    ctl.Text2.Visible = true;
    plat->ShowWindow();
    plat->Repaint();
    SDL_Window* window = TheWindow();
    ASSERT_NE(window, nullptr);
    const auto pixel = [&](int x, int y) {
        Uint32 argb = 0;
        const SDL_Rect one{x, y, 1, 1};
        SDL_RenderReadPixels(SDL_GetRenderer(window), &one, SDL_PIXELFORMAT_ARGB8888, &argb, 4);
        return argb & 0xFFFFFF;
    };
    EXPECT_EQ(pixel(17, 524), 0x0000A0u) << "the clock's ground";
    int face = 0;
    for (int x = 15; x < 180; ++x)
        for (int y = 522; y < 583; ++y) face += pixel(x, y) == 0xE0FF00u;
    EXPECT_GT(face, 100) << "the clock's digits";
    EXPECT_EQ(pixel(139, 412), 0x808080u) << "the text box's frame";
    EXPECT_EQ(pixel(300, 450), 0xFFFFFFu) << "the text box's inside";
    EXPECT_EQ(pixel(400, 300), 0x000000u) << "no window picture: black";
}

// The music library on the dummy audio device, with the game's own piece.
TEST_F(SdlWindow, MusicPlaysPausesAndStopsThePiece) {
    MusicLibrary& m = plat->Music();
    ASSERT_TRUE(m.Init(44100, 32, 0)) << "the dummy audio device opens";
    EXPECT_EQ(m.GetError(), 0);
    EXPECT_EQ(m.StreamOpen(plat->ProgramFolder() + "/no such music.mp3", 2), 0u);
    const std::string piece = std::string(TK_DATA_DIR) + "/music/Lumfex - Little bit of happiness.mp3";
    const std::uintptr_t stream = m.StreamOpen(piece, 2);
    ASSERT_NE(stream, 0u);
    const std::uintptr_t channel = m.StreamPlay(0, stream);
    EXPECT_NE(channel, 0u);
    EXPECT_TRUE(Mix_PlayingMusic());
    EXPECT_FALSE(m.GetPaused(channel));
    m.SetPaused(channel, true);
    EXPECT_TRUE(m.GetPaused(channel));
    m.SetPaused(channel, false);
    m.SetVolume(channel, 255);
    EXPECT_EQ(Mix_VolumeMusic(-1), MIX_MAX_VOLUME);
    m.SetVolume(channel, 0);
    EXPECT_EQ(Mix_VolumeMusic(-1), 0);
    m.StreamStop(stream);
    EXPECT_FALSE(Mix_PlayingMusic());
    m.Close();
}

}  // namespace
}  // namespace tk::test

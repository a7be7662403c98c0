// The real SDL platform on SDL's dummy video driver: events in, the handlers the game sees out.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace tk::test {
namespace {

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

TEST_F(SdlWindow, FolderPicturesAndSilence) {
    const std::string folder = plat->ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), '/');
    EXPECT_EQ(plat->GdipCreateBitmapFromFile(folder + "/no such picture.png"), 0u);
    plat->PlaySound(folder + "/no such sound.wav");  // silent, no crash
    ctl.picGame.Visible = true;
    ctl.Text2.Visible = true;
    ctl.Label4.Visible = true;
    ctl.Label4.Caption = "01:00";
    plat->ShowWindow();
    plat->Repaint();
    plat->ChangeDisplayMode(800, 600);
    plat->ChangeDisplayMode(1024, 768);
    EXPECT_GT(plat->ScreenWidthPixels(), 0);
    MusicLibrary& m = plat->Music();
    EXPECT_TRUE(m.Available(nullptr));
    if (m.Init(44100, 32, 0)) {
        EXPECT_EQ(m.StreamOpen(folder + "/no such music.mp3", 2), 0u);
        m.Close();
    } else {
        EXPECT_EQ(m.GetError(), 3);
    }
}

}  // namespace
}  // namespace tk::test

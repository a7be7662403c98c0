// Closing the window ends the program at once, in every state: the start-up picture, a
// level's title, the outcome picture, the quit question, the final screen, the notice of
// a refused level name. On the twin, and on the real SDL platform (dummy video driver)
// steered through the same states on a virtual clock; and so do SIGTERM, SIGINT and
// SIGHUP, sent to a child process running the game.
#include <gtest/gtest.h>

#include <SDL.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <functional>
#include <memory>

#include "platform/sdl_close_signals.h"
#include "support/game_fixture.h"
#include "ui/texts.h"

namespace tk::test {
namespace {

constexpr std::uint64_t kPromptly = 100;  // ms of the game's clock

// A one-turn level: the figure stands on the source's straight pipe, and one quarter
// turn wets the board. It is the last one, so winning it brings the final screen.
void oneTurnLevel(const ProgramFolder& folder) {
    folder.makeWritable("levels");
    std::string text = "Jediná/Only\r\n60\r\nFLLLLLLLLLL\r\n";
    for (int row = 1; row < 7; ++row) text += "LLLLLLLLLLL\r\n";
    folder.write("levels/only.kulap", text + "0,0\r\n0,0\r\n-\r\n1\r\nend\r\n");
    folder.write("options.txt", "fullscreen:on\r\nmusic:off\r\nlevel:only\r\n");
}

enum class State { StartupPicture, Title, Outcome, Question, FinalScreen, Notice };
constexpr State kStates[] = {State::StartupPicture, State::Title,       State::Outcome,
                             State::Question,       State::FinalScreen, State::Notice};

const char* Name(State s) {
    switch (s) {
    case State::StartupPicture: return "start-up picture";
    case State::Title: return "level title";
    case State::Outcome: return "outcome picture";
    case State::Question: return "quit question";
    case State::FinalScreen: return "final screen";
    case State::Notice: return "not-found notice";
    }
    return "";
}

// What the player does on the way to a state, one step at a time, and whether the
// program stands in it.
class Road {
public:
    using KeyDown = std::function<void(Key key, int modifiers)>;
    using Text = std::function<void(const std::string&)>;

    Road(Program& program, State target) : p_(program), target_(target) {}

    bool Reached() const {
        const WindowView& v = p_.view();
        const bool titleShown = v.play.titleShown;
        const std::string& title = v.play.title;
        switch (target_) {
        case State::StartupPicture: return !p_.started();
        case State::Title: return p_.menus().Busy() && titleShown && title == "Only";
        case State::Outcome:
            // The first win of the level is its best: the words stand over the picture.
            return p_.play().phase() == PlayPhase::ShowingWon && (!titleShown || title == texts::newBest(false)) &&
                   !p_.play().clock().Running();
        case State::Question: return titleShown && title == texts::quitQuestion(false);
        case State::FinalScreen: return titleShown && title.starts_with(texts::finalMessage(false));
        case State::Notice: return v.menu.lines[4] == texts::levelNotFound(false);
        }
        return false;
    }

    // The next step from where the program stands; false when there is nothing to do now.
    bool Step(const KeyDown& key, const Text& text) {
        if (!p_.started() || target_ == State::StartupPicture) return false;
        const bool onMenu = p_.screen() == Menus::Screen::MainMenu && !p_.menus().Busy();
        const bool playing = p_.play().phase() == PlayPhase::Waiting && !p_.view().play.titleShown;
        if (target_ == State::Notice) {
            if (step_ >= kNoticeKeys) return false;
            if (step_ == kNoticeKeys - 2) {
                text("zz");  // "onlyzz": no such level
            } else {
                key(kNoticeRoad[step_], 0);
            }
            ++step_;
            return true;
        }
        if (onMenu && step_ == 0) {
            key(Key::Return, 0);  // "Play"
            step_ = 1;
            return true;
        }
        if (playing && step_ == 1) {
            if (target_ == State::Question) {
                key(Key::Escape, 0);
            } else if (target_ == State::Outcome || target_ == State::FinalScreen) {
                key(Key::Control, 0);
                key(Key::Right, kCtrlHeld);
            } else {
                return false;
            }
            step_ = 2;
            return true;
        }
        return false;
    }

private:
    // Options, down to "Choose level", open the box, type, accept.
    static constexpr Key kNoticeRoad[] = {Key::Down, Key::Return, Key::Down, Key::Down, Key::Down, Key::Return,
                                          Key::None, Key::Return};
    static constexpr int kNoticeKeys = 8;

    Program& p_;
    State target_;
    int step_ = 0;
};

// ---- on the twin ----------------------------------------------------------------------

TEST(CloseRequest, EndsTheProgramPromptlyInEveryStateOnTheTwin) {
    for (State state : kStates) {
        SCOPED_TRACE(Name(state));
        HeadlessOptions o;
        o.closeWhenScriptEnds = false;
        o.drawBoard = false;
        GameFixture f(o);
        oneTurnLevel(f.folder);
        Road road(f.program, state);
        bool closed = false;
        std::uint64_t closedAt = 0;
        // The road is looked at every 50 ms of the game's clock.
        std::function<void()> look = [&] {
            const std::uint64_t t = f.plat.Now();
            if (road.Reached()) {
                closed = true;
                closedAt = t;
                f.plat.Close(t);
                return;
            }
            road.Step([&](Key key, int modifiers) { f.plat.Press(t, key, modifiers, 60); },
                      [&](const std::string& s) { f.plat.Type(t, s); });
            if (t < 60000) f.plat.AtIfReached(t + 50, look);
        };
        f.plat.At(600, look);
        EXPECT_EQ(f.Run(), 0);
        ASSERT_TRUE(closed) << "the state was never reached";
        EXPECT_TRUE(f.program.unloaded());
        EXPECT_LE(f.plat.Now(), closedAt + kPromptly) << "the program ran on after the close request";
        EXPECT_FALSE(f.plat.Fullscreen()) << "the desktop is given back";
        EXPECT_EQ(f.plat.LivePictures(), 0);
    }
}

// ---- on the SDL platform ------------------------------------------------------------------

// The real SDL platform with the game's clock made virtual: events are pushed into
// SDL's own queue and go through its real handling, while time jumps from one wait's
// deadline to the next, so the run neither sleeps nor depends on the machine's speed.
class SteeredSdl : public Platform {
public:
    SteeredSdl(std::unique_ptr<Platform> real, std::string folder)
        : real_(std::move(real)), folder_(std::move(folder)) {}

    // Called before every wait with the game's time; true when it pushed events, which
    // then end the wait at once.
    std::function<bool(std::uint64_t now)> beforeWait;
    // From now on every wait is a real one, on the real clock, that only the player or
    // a signal ends.
    bool waitForReal = false;

    std::string ProgramFolder() override { return folder_; }
    std::uint64_t Now() override { return now_; }
    void WaitUntil(std::uint64_t deadline, bool wakeOnInput) override {
        const bool wasClosing = real_->CloseRequested();
        const bool pushed = !waitForReal && beforeWait && beforeWait(now_);
        if (waitForReal) {
            real_->WaitUntil(real_->Now() + 60000, wakeOnInput);
            return;
        }
        real_->WaitUntil(0, wakeOnInput);  // takes in what was pushed, waits for nothing
        if (pushed || (real_->CloseRequested() && !wasClosing)) return;
        now_ = deadline == kNoDeadline ? now_ + 10 : std::max(now_, deadline);
    }
    bool NextInput(InputEvent& e) override { return real_->NextInput(e); }
    bool CloseRequested() override { return real_->CloseRequested(); }
    KeyState LookAt(Key k) override { return real_->LookAt(k); }
    std::optional<InputEvent> LookAtPointer() override { return real_->LookAtPointer(); }
    void ShowWindow() override { real_->ShowWindow(); }
    void Present(const WindowView& v) override {
        if (v.notice.shown) messages_.push_back(v.notice.text);
        real_->Present(v);
    }
    void Prepare(const PlayView& p) override { real_->Prepare(p); }
    void Warn(const std::string& line) override { real_->Warn(line); }
    bool CanDrawText() override { return real_->CanDrawText(); }
    void LoadHelpPage(HelpView& v, const std::string& path) override { real_->LoadHelpPage(v, path); }
    int HelpPageHeight() override { return real_->HelpPageHeight(); }
    int LevelBoxCaretAt(const LevelBoxView& box, int x) override { return real_->LevelBoxCaretAt(box, x); }
    int DesktopWidth() override { return real_->DesktopWidth(); }
    int DesktopHeight() override { return real_->DesktopHeight(); }
    void SetFullscreen(bool on) override { real_->SetFullscreen(on); }
    WindowPlacement Placement() override { return real_->Placement(); }
    void PlaceWindow(const WindowPlacement& p) override { real_->PlaceWindow(p); }
    PictureHandle LoadPicture(const std::string& path) override { return real_->LoadPicture(path); }
    PictureHandle LoadPicture(const unsigned char* d, std::size_t n) override { return real_->LoadPicture(d, n); }
    void FreePicture(PictureHandle p) override { real_->FreePicture(p); }
    BoardSurface& Board() override { return real_->Board(); }
    bool PlaySound(const std::string&) override { return false; }
    MusicPlayer& Music() override { return real_->Music(); }
    ClipboardCopy SetClipboardText(const std::string& text) override { return real_->SetClipboardText(text); }
    PlayerFiles& Files() override { return real_->Files(); }

    const std::vector<std::string>& messages() const { return messages_; }

private:
    std::unique_ptr<Platform> real_;
    std::string folder_;
    std::uint64_t now_ = 0;
    std::vector<std::string> messages_;
};

void Push(Uint32 type, SDL_Keycode sym = 0, SDL_Scancode code = SDL_SCANCODE_UNKNOWN, Uint16 mod = 0) {
    SDL_Event e{};
    e.type = type;
    if (type == SDL_KEYDOWN) {
        e.key.state = SDL_PRESSED;
        e.key.keysym.sym = sym;
        e.key.keysym.scancode = code;
        e.key.keysym.mod = mod;
    }
    SDL_PushEvent(&e);
}

void PushKey(Key key, int modifiers) {
    struct Map {
        Key key;
        SDL_Keycode sym;
        SDL_Scancode code;
    };
    static const Map keys[] = {{Key::Return, SDLK_RETURN, SDL_SCANCODE_RETURN}, {Key::Escape, SDLK_ESCAPE, SDL_SCANCODE_ESCAPE},
                               {Key::Down, SDLK_DOWN, SDL_SCANCODE_DOWN},       {Key::Right, SDLK_RIGHT, SDL_SCANCODE_RIGHT},
                               {Key::Control, SDLK_LCTRL, SDL_SCANCODE_LCTRL}};
    for (const Map& m : keys)
        if (m.key == key) Push(SDL_KEYDOWN, m.sym, m.code, modifiers & kCtrlHeld ? KMOD_LCTRL : 0);
}

TEST(CloseRequest, EndsTheProgramPromptlyInEveryStateOnTheSdlPlatform) {
    SDL_setenv("SDL_VIDEODRIVER", "dummy", 1);
    SDL_setenv("SDL_AUDIODRIVER", "dummy", 1);
    for (State state : kStates) {
        SCOPED_TRACE(Name(state));
        ProgramFolder folder;
        oneTurnLevel(folder);
        SteeredSdl plat(CreateSdlPlatform(), folder.str());
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        Program program(plat);
        Road road(program, state);
        bool closed = false;
        std::uint64_t closedAt = 0;
        plat.beforeWait = [&](std::uint64_t now) {
            if (closed) return false;
            if (road.Reached()) {
                closed = true;
                closedAt = now;
                Push(SDL_QUIT);
                return true;
            }
            return road.Step(PushKey, [](const std::string& s) {
                SDL_Event e{};
                e.type = SDL_TEXTINPUT;
                std::snprintf(e.text.text, sizeof e.text.text, "%s", s.c_str());
                SDL_PushEvent(&e);
            });
        };
        EXPECT_EQ(program.Run(), 0);
        ASSERT_TRUE(closed) << "the state was never reached";
        EXPECT_TRUE(program.unloaded());
        EXPECT_LE(plat.Now(), closedAt + kPromptly) << "the program ran on after the close request";
        EXPECT_TRUE(plat.messages().empty());
    }
}

// ---- a signal, on the SDL platform in a child process ------------------------------------

// Where the child tells the parent that it stands in the state, and waits for the signal.
int gReachedPipe = -1;

void TellReached() {
    const pid_t none = 0;
    [[maybe_unused]] const ssize_t n = ::write(gReachedPipe, &none, sizeof none);
}

// The game in the child: steered to the state on the game's clock, then waiting on the
// real one, in a real wait, for the signal. Its exit status is
// 0 when it ended as a close ends it: at once and in order.
int RunUntilSignalled(const ProgramFolder& folder, State state) {
    ::alarm(30);  // a child that the signal does not end is ended by this one, and fails
    SDL_setenv("SDL_VIDEODRIVER", "dummy", 1);
    SDL_setenv("SDL_AUDIODRIVER", "dummy", 1);
    SteeredSdl plat(CreateSdlPlatform(), folder.str());
    Program program(plat);
    Road road(program, state);
    std::uint64_t reachedAt = 0;
    plat.beforeWait = [&](std::uint64_t now) {
        if (road.Reached()) {
            reachedAt = now;
            plat.waitForReal = true;
            TellReached();
            return false;
        }
        return road.Step(PushKey, [](const std::string& s) {
            SDL_Event e{};
            e.type = SDL_TEXTINPUT;
            std::snprintf(e.text.text, sizeof e.text.text, "%s", s.c_str());
            SDL_PushEvent(&e);
        });
    };
    const int status = program.Run();
    const bool prompt = plat.Now() <= reachedAt + kPromptly;
    std::fprintf(stderr, "child: run %d, unloaded %d, prompt %d, notices %zu\n", status, program.unloaded(), prompt,
                 plat.messages().size());
    return status == 0 && program.unloaded() && prompt && plat.messages().empty() ? 0 : 1;
}

TEST(CloseSignal, EndsTheProgramInOrderInEveryStateOnTheSdlPlatform) {
    struct Case {
        State state;
        int signal;
    };
    std::vector<Case> cases;
    const int signals[] = {SIGTERM, SIGINT, SIGHUP};
    for (std::size_t i = 0; i < std::size(kStates); ++i) cases.push_back({kStates[i], signals[i % 3]});
    // A child inherits SDL's state but not its threads: SDL must start afresh in it.
    if (SDL_WasInit(0) != 0) GTEST_SKIP() << "SDL was started in this process before; run this test on its own";
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(Name(c.state)) + ", signal " + std::to_string(c.signal));
        ProgramFolder folder;
        oneTurnLevel(folder);
        int reached[2];
        ASSERT_EQ(::pipe(reached), 0);
        std::fflush(nullptr);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(reached[0]);
            gReachedPipe = reached[1];
            ::_exit(RunUntilSignalled(folder, c.state));
        }
        ::close(reached[1]);
        pid_t none = 0;
        ssize_t n;
        while ((n = ::read(reached[0], &none, sizeof none)) < 0 && errno == EINTR) {
        }
        ::close(reached[0]);
        EXPECT_EQ(n, static_cast<ssize_t>(sizeof none)) << "the child never reached the state";
        ::kill(child, c.signal);
        int status = 0;
        while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
        ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status) << ", not in order";
        EXPECT_EQ(WEXITSTATUS(status), 0) << "see the child's line above";
    }
}

}  // namespace
}  // namespace tk::test

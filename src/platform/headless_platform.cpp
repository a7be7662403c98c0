// The headless twin: a virtual clock, scripted keys, recorded effects and an in-memory board picture.
#include "platform/headless_platform.h"

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <map>
#include <utility>

#include "platform/html_view.h"
#include "platform/sdl_board.h"
#include "platform/sdl_compose.h"
#include "platform/sdl_handles.h"
#include "platform/sdl_pictures.h"
#include "platform/sdl_text.h"
#include "platform/window_look.h"

namespace tk {
namespace {

// With the script over, a program that keeps waiting and playing on its own for this
// long (virtual) is asked to close, so that a test can never run for ever.
constexpr std::uint64_t kIdleLimitMs = 10ull * 60 * 1000;

bool FileExists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && std::filesystem::is_regular_file(path, ec);
}

std::string SoundName(const std::string& path) {
    const auto slash = path.find_last_of("/\\");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.size() > 4) {
        std::string ext = name.substr(name.size() - 4);
        std::transform(ext.begin(), ext.end(), ext.begin(), ::tolower);
        if (ext == ".wav") name.resize(name.size() - 4);
    }
    return name;
}

Rgba ReadPixel(const SDL_Surface* s, int x, int y) {
    if (!s || x < 0 || y < 0 || x >= s->w || y >= s->h) return {};
    const auto* row = static_cast<const std::uint8_t*>(s->pixels) + y * s->pitch;
    const std::uint32_t p = reinterpret_cast<const std::uint32_t*>(row)[x];
    std::uint8_t r, g, b, a;
    SDL_GetRGBA(p, s->format, &r, &g, &b, &a);
    return {r, g, b, a};
}

struct ScriptEvent {
    enum Kind {
        KeyDown, KeyUp, Text, Close, Action, PadDown, PadUp, PadStick, PadUnplug, Input, CopyAnswered
    } kind = KeyDown;
    std::uint64_t at = 0;
    std::uint64_t seq = 0;
    Key key = Key::None;
    int modifiers = 0;
    PadButton button = PadButton::A;
    PadAxis axis = PadAxis::LeftX;
    int value = 0;
    std::string text;
    InputEvent input;  // for Input: the pointer, focus and minimising as the window reports them
    std::function<void()> action;
    bool mustRun = false;  // an At action: reported when the run never reaches it
};

ScriptEvent Event(ScriptEvent::Kind kind, std::uint64_t at) {
    ScriptEvent e{};
    e.kind = kind;
    e.at = at;
    return e;
}

using Recorder = std::function<void(const char*, std::string)>;

// The board of a slow machine: each painting moves the virtual clock on.
class SlowBoard : public BoardSurface {
public:
    SlowBoard(BoardSurface& board, std::uint64_t& now, std::uint64_t ms) : board_(board), now_(now), ms_(ms) {}
    void DrawCell(int x, int y, const Layers& layers) override {
        now_ += ms_;
        board_.DrawCell(x, y, layers);
    }
    void DrawSprite(PictureHandle picture, float left, float top) override {
        now_ += ms_;
        board_.DrawSprite(picture, left, top);
    }
    void DrawTurned(PictureHandle picture, int x, int y, float degrees) override {
        now_ += ms_;
        board_.DrawTurned(picture, x, y, degrees);
    }
    void DrawCover(PictureHandle picture) override {
        now_ += ms_;
        board_.DrawCover(picture);
    }

private:
    BoardSurface& board_;
    std::uint64_t& now_;
    std::uint64_t ms_;
};

class HeadlessMusic : public MusicPlayer {
public:
    HeadlessMusic(const HeadlessOptions& o, Recorder rec) : opt_(o), record_(std::move(rec)) {}

    bool OpenDevice() override {
        record_("music.device", opt_.audioDevicePresent ? "open" : "none");
        open_ = opt_.audioDevicePresent;
        return open_;
    }
    void CloseDevice() override {
        Stop();
        record_("music.close", "");
        open_ = false;
    }
    bool Play(const std::string& path) override {
        Stop();
        if (!open_ || !FileExists(path)) return false;
        record_("music.play", path);
        playing_ = true;
        return true;
    }
    void Stop() override {
        if (playing_) record_("music.stop", "");
        playing_ = false;
    }

private:
    const HeadlessOptions& opt_;
    Recorder record_;
    bool open_ = false;
    bool playing_ = false;
};

}  // namespace

struct HeadlessPlatform::Impl {
    explicit Impl(HeadlessOptions o)
        : opt(std::move(o)), music(opt, [this](const char* w, std::string d) { Record(w, std::move(d)); }) {
        files.observe = [this](const std::string& what, const std::string& path) {
            log.push_back({now, "file." + what, path});
        };
    }

    HeadlessOptions opt;

    // ---- the clock and the script
    std::uint64_t now = 0;
    std::uint64_t seq = 0;
    std::vector<ScriptEvent> script;  // kept sorted by (at, seq)
    std::uint64_t scriptEnd = 0;
    bool runningScript = false;
    std::deque<InputEvent> input;
    bool inputArrived = false;  // since the current wait began
    bool closeArrived = false;  // likewise
    bool closeRequested = false;
    bool keyDown[kKeyCount] = {};
    bool textInput = true;  // as on the real window: until a view without the level box
    KeyLatches latches;
    PointerLatch pointer;
    PadKeys pad;
    std::optional<bool> copyAnswer;  // the clipboard's later answer, until asked for

    // ---- what happened
    std::vector<Recorded> log;
    int presents = 0;
    bool fullscreen = false;
    bool shown = false;
    WindowPlacement placement;  // outside full screen, or where full screen goes back to

    std::vector<ScreenArea> Monitors() const {
        if (!opt.monitors.empty()) return opt.monitors;
        return {ScreenArea{0, 0, opt.desktopWidth, opt.desktopHeight}};
    }
    WindowView presented;
    bool presentedOnce = false;

    // ---- pictures, the board and the window. The renderers come first: they must
    // outlive the textures the tables make for them.
    sdl::SurfaceHandle board;
    sdl::RendererHandle boardRenderer;
    sdl::SurfaceHandle window;
    sdl::RendererHandle windowRenderer;
    sdl::PictureTable pictures;
    std::unique_ptr<sdl::RendererBoard> boardSurface;
    sdl::NullBoard nullBoard;
    std::unique_ptr<SlowBoard> slowBoard;
    std::unique_ptr<sdl::TextCache> windowTexts;
    HtmlView help;

    HeadlessMusic music;
    PlayerFiles files;

    void Record(const char* what, std::string detail) { log.push_back({now, what, std::move(detail)}); }

    void Add(ScriptEvent e) {
        e.seq = seq++;
        scriptEnd = std::max(scriptEnd, e.at);
        auto pos = std::upper_bound(script.begin(), script.end(), e, [](const ScriptEvent& a, const ScriptEvent& b) {
            return a.at != b.at ? a.at < b.at : a.seq < b.seq;
        });
        script.insert(pos, std::move(e));
    }

    void Apply(ScriptEvent& e) {
        switch (e.kind) {
            case ScriptEvent::KeyDown:
                if (e.key == Key::None) break;
                keyDown[static_cast<int>(e.key)] = true;
                latches.Press(e.key);
                input.push_back({InputEvent::Kind::Key, e.key, e.modifiers, {}});
                inputArrived = true;
                break;
            case ScriptEvent::KeyUp: keyDown[static_cast<int>(e.key)] = false; break;
            case ScriptEvent::Text:
                if (!textInput) break;
                input.push_back({InputEvent::Kind::Text, Key::None, 0, e.text});
                inputArrived = true;
                break;
            case ScriptEvent::PadDown:
                // A press wakes a wait for input even where it gives the menus no key-down.
                PadKeyDown(pad.Press(e.button, latches));
                inputArrived = true;
                break;
            case ScriptEvent::PadUp: pad.Release(e.button); break;
            case ScriptEvent::PadStick: PadKeyDown(pad.Stick(e.axis, e.value, latches)); break;
            case ScriptEvent::PadUnplug: pad.ReleaseAll(); break;
            case ScriptEvent::Close: RequestClose(); break;
            case ScriptEvent::Input:
                pointer.Take(e.input);
                input.push_back(e.input);
                inputArrived = true;
                break;
            case ScriptEvent::Action:
                if (e.action) e.action();
                break;
            case ScriptEvent::CopyAnswered:
                copyAnswer = e.value != 0;
                inputArrived = true;
                break;
        }
    }

    // The key-down a controller's button or stick gives the menus, as a keyboard's would.
    void PadKeyDown(Key key) {
        if (key == Key::None) return;
        input.push_back({InputEvent::Kind::Key, key, 0, {}});
        inputArrived = true;
    }

    // Runs every scripted event due by now. An action that itself waits does not run the
    // script from inside.
    void RunDue() {
        if (runningScript) return;
        runningScript = true;
        while (!script.empty() && script.front().at <= now) {
            ScriptEvent e = std::move(script.front());
            script.erase(script.begin());
            Apply(e);
        }
        runningScript = false;
    }

    bool ScriptOver() const { return script.empty(); }

    void RequestClose() {
        if (!closeRequested) closeArrived = true;
        closeRequested = true;
    }

    void CloseWhenIdleTooLong() {
        if (ScriptOver() && now > scriptEnd + kIdleLimitMs) RequestClose();
    }

    sdl::RendererBoard* EnsureBoard() {
        if (!board) {
            board.reset(SDL_CreateRGBSurfaceWithFormat(0, kBoardWidth, kBoardHeight, 32, SDL_PIXELFORMAT_ARGB8888));
            if (!board) return nullptr;
            SDL_FillRect(board.get(), nullptr, SDL_MapRGBA(board->format, 0, 0, 0, 255));
            boardRenderer.reset(SDL_CreateSoftwareRenderer(board.get()));
            if (boardRenderer)
                boardSurface = std::make_unique<sdl::RendererBoard>(boardRenderer.get(), pictures, nullptr);
        }
        return boardSurface.get();
    }

    // The window composed into a surface of its own, kept between calls so that its
    // text stays rendered.
    const SDL_Surface* ComposeWindow(const WindowView& view) {
        if (!window) {
            window.reset(SDL_CreateRGBSurfaceWithFormat(0, kWindowWidth, kWindowHeight, 32, SDL_PIXELFORMAT_ARGB8888));
            if (!window) return nullptr;
            windowRenderer.reset(SDL_CreateSoftwareRenderer(window.get()));
            if (!windowRenderer) return nullptr;
            windowTexts = std::make_unique<sdl::TextCache>(windowRenderer.get());
        }
        if (!windowRenderer) return nullptr;
        windowTexts->Trim();
        sdl::TextureHandle boardTexture(board ? SDL_CreateTextureFromSurface(windowRenderer.get(), board.get())
                                              : nullptr);
        sdl::ComposeWindow(windowRenderer.get(), view, pictures, *windowTexts, boardTexture.get(),
                           [&](const HelpView& v, const SDL_Rect& onWindow) {
                               help.Draw(windowRenderer.get(), onWindow, v.scrollY);
                           });
        SDL_RenderPresent(windowRenderer.get());
        return window.get();
    }

    ~Impl() {
        help.ReleaseTextures();
        windowTexts.reset();
        boardSurface.reset();
    }
};

HeadlessPlatform::HeadlessPlatform(HeadlessOptions options) : impl_(std::make_unique<Impl>(std::move(options))) {
    impl_->placement.left = (impl_->opt.desktopWidth - kWindowWidth) / 2;
    impl_->placement.top = (impl_->opt.desktopHeight - kWindowHeight) / 2;
    // Text and picture decoders stay up for the life of the process: the help view
    // keeps faces of its own open, and every test builds a new twin.
    if (!TTF_WasInit()) TTF_Init();
    static const int decoders = IMG_Init(IMG_INIT_PNG | IMG_INIT_JPG);
    (void)decoders;
}

HeadlessPlatform::~HeadlessPlatform() {
    const std::vector<std::uint64_t> unrun = TakeUnrunActions();
    if (unrun.empty()) return;
    const std::string what = std::to_string(unrun.size()) + " action(s) scheduled with At never ran, the first for " +
                             std::to_string(unrun.front()) + " ms; the run ended at " + std::to_string(impl_->now) +
                             " ms";
    if (unrunActionsReporter) {
        unrunActionsReporter(what);
    } else {
        std::fprintf(stderr, "headless twin: %s\n", what.c_str());
    }
}

// ---- the script -----------------------------------------------------------------

void HeadlessPlatform::Press(std::uint64_t at, Key key, int modifiers, std::uint64_t holdMs) {
    KeyDown(at, key, modifiers);
    KeyUp(at + holdMs, key);
}

void HeadlessPlatform::KeyDown(std::uint64_t at, Key key, int modifiers) {
    ScriptEvent e = Event(ScriptEvent::KeyDown, at);
    e.key = key;
    e.modifiers = modifiers;
    impl_->Add(std::move(e));
}

void HeadlessPlatform::KeyUp(std::uint64_t at, Key key) {
    ScriptEvent e = Event(ScriptEvent::KeyUp, at);
    e.key = key;
    impl_->Add(std::move(e));
}

void HeadlessPlatform::Type(std::uint64_t at, const std::string& utf8) {
    ScriptEvent e = Event(ScriptEvent::Text, at);
    e.text = utf8;
    impl_->Add(std::move(e));
}

void HeadlessPlatform::Close(std::uint64_t at) { impl_->Add(Event(ScriptEvent::Close, at)); }

void HeadlessPlatform::Send(std::uint64_t at, InputEvent event) {
    ScriptEvent e = Event(ScriptEvent::Input, at);
    e.input = std::move(event);
    impl_->Add(std::move(e));
}

void HeadlessPlatform::Move(std::uint64_t at, int x, int y) {
    Send(at, InputEvent::Pointer(InputEvent::Kind::PointerMove, x, y));
}

void HeadlessPlatform::Click(std::uint64_t at, int x, int y, PointerButton button) {
    Send(at, InputEvent::Pointer(InputEvent::Kind::PointerDown, x, y, button));
}

void HeadlessPlatform::Wheel(std::uint64_t at, int x, int y, int steps) {
    Send(at, InputEvent::Pointer(InputEvent::Kind::Wheel, x, y, PointerButton::Left, steps));
}

void HeadlessPlatform::FocusLost(std::uint64_t at) { Send(at, InputEvent::Of(InputEvent::Kind::FocusLost)); }
void HeadlessPlatform::Minimise(std::uint64_t at) { Send(at, InputEvent::Of(InputEvent::Kind::Minimised)); }

void HeadlessPlatform::PadPress(std::uint64_t at, PadButton button, std::uint64_t holdMs) {
    PadDown(at, button);
    PadUp(at + holdMs, button);
}

void HeadlessPlatform::PadDown(std::uint64_t at, PadButton button) {
    ScriptEvent e = Event(ScriptEvent::PadDown, at);
    e.button = button;
    impl_->Add(std::move(e));
}

void HeadlessPlatform::PadUp(std::uint64_t at, PadButton button) {
    ScriptEvent e = Event(ScriptEvent::PadUp, at);
    e.button = button;
    impl_->Add(std::move(e));
}

void HeadlessPlatform::PadStick(std::uint64_t at, PadAxis axis, int value) {
    ScriptEvent e = Event(ScriptEvent::PadStick, at);
    e.axis = axis;
    e.value = value;
    impl_->Add(std::move(e));
}

void HeadlessPlatform::PadUnplug(std::uint64_t at) { impl_->Add(Event(ScriptEvent::PadUnplug, at)); }

void HeadlessPlatform::Arrange(std::uint64_t at, const WindowPlacement& placement) {
    At(at, [this, placement] { impl_->placement = placement; });
}

void HeadlessPlatform::At(std::uint64_t at, std::function<void()> action) {
    ScriptEvent e = Event(ScriptEvent::Action, at);
    e.action = std::move(action);
    e.mustRun = true;
    impl_->Add(std::move(e));
}

void HeadlessPlatform::AtIfReached(std::uint64_t at, std::function<void()> action) {
    ScriptEvent e = Event(ScriptEvent::Action, at);
    e.action = std::move(action);
    impl_->Add(std::move(e));
}

std::vector<std::uint64_t> HeadlessPlatform::TakeUnrunActions() {
    std::vector<std::uint64_t> unrun;
    for (ScriptEvent& e : impl_->script) {
        if (!e.mustRun) continue;
        unrun.push_back(e.at);
        e.mustRun = false;
    }
    return unrun;
}

std::uint64_t HeadlessPlatform::ScriptEnd() const { return impl_->scriptEnd; }

// ---- what happened -------------------------------------------------------------

const std::vector<Recorded>& HeadlessPlatform::Log() const { return impl_->log; }

std::vector<std::string> HeadlessPlatform::Sounds() const {
    std::vector<std::string> out;
    for (const auto& r : impl_->log)
        if (r.what == "sound") out.push_back(r.detail);
    return out;
}

std::vector<Recorded> HeadlessPlatform::LogOf(const std::string& what) const {
    std::vector<Recorded> out;
    for (const auto& r : impl_->log)
        if (r.what == what) out.push_back(r);
    return out;
}

int HeadlessPlatform::PresentCount() const { return impl_->presents; }
bool HeadlessPlatform::Fullscreen() const { return impl_->fullscreen; }
bool HeadlessPlatform::WindowShown() const { return impl_->shown; }
const WindowView& HeadlessPlatform::Presented() const { return impl_->presented; }

Rgba HeadlessPlatform::BoardPixel(int x, int y) const {
    if (!impl_->board) return Rgba{0, 0, 0, 255};
    return ReadPixel(impl_->board.get(), x, y);
}

Rgba HeadlessPlatform::WindowPixel(int x, int y) { return ReadPixel(impl_->ComposeWindow(impl_->presented), x, y); }

bool HeadlessPlatform::SaveWindowPng(const std::string& path) {
    const SDL_Surface* win = impl_->ComposeWindow(impl_->presented);
    return win && IMG_SavePNG(const_cast<SDL_Surface*>(win), path.c_str()) == 0;
}

Rgba HeadlessPlatform::PicturePixel(PictureHandle image, int x, int y) const {
    return ReadPixel(impl_->pictures.Surface(image), x, y);
}

int HeadlessPlatform::PictureWidth(PictureHandle image) const { return impl_->pictures.Width(image); }
int HeadlessPlatform::PictureHeight(PictureHandle image) const { return impl_->pictures.Height(image); }
int HeadlessPlatform::LivePictures() const { return impl_->pictures.Live(); }

// ---- Platform ---------------------------------------------------------------------

std::string HeadlessPlatform::ProgramFolder() {
    std::string f = impl_->opt.programFolder;
    while (f.size() > 1 && (f.back() == '/' || f.back() == '\\')) f.pop_back();
    return f;
}

std::string HeadlessPlatform::UserConfigHome() { return impl_->opt.userConfigHome; }

PlayerFiles& HeadlessPlatform::Files() { return impl_->files; }

std::uint64_t HeadlessPlatform::Now() { return impl_->now; }

void HeadlessPlatform::WaitUntil(std::uint64_t deadline, bool wakeOnInput) {
    auto& m = *impl_;
    m.inputArrived = m.closeArrived = false;
    for (;;) {
        m.RunDue();
        if (m.closeArrived || (wakeOnInput && m.inputArrived) || m.now >= deadline) return;
        if (m.closeRequested && deadline == kNoDeadline) return;
        if (m.ScriptOver() && deadline == kNoDeadline) {
            // Nothing will ever come: the session is over.
            if (m.opt.closeWhenScriptEnds) {
                m.RequestClose();
                return;
            }
            m.now += 1000;
            m.CloseWhenIdleTooLong();
            continue;
        }
        const std::uint64_t next = m.ScriptOver() ? deadline : std::min(deadline, m.script.front().at);
        m.now = std::max(m.now, next);
        m.CloseWhenIdleTooLong();
    }
}

bool HeadlessPlatform::NextInput(InputEvent& event) {
    auto& m = *impl_;
    m.RunDue();
    if (m.input.empty()) return false;
    event = std::move(m.input.front());
    m.input.pop_front();
    return true;
}

bool HeadlessPlatform::CloseRequested() {
    impl_->RunDue();
    return impl_->closeRequested;
}

KeyState HeadlessPlatform::LookAt(Key key) {
    auto& m = *impl_;
    m.RunDue();
    const int k = static_cast<int>(key);
    const bool down = k > 0 && k < kKeyCount && (m.keyDown[k] || m.pad.Holds(key));
    return m.latches.Look(key, down);
}

std::optional<InputEvent> HeadlessPlatform::LookAtPointer() {
    impl_->RunDue();
    return impl_->pointer.Look();
}

void HeadlessPlatform::ShowWindow() {
    impl_->shown = true;
    impl_->Record("show", "");
}

void HeadlessPlatform::Present(const WindowView& view) {
    auto& m = *impl_;
    m.textInput = view.levelBox.shown;
    const bool boardPainted = m.boardSurface && !m.boardSurface->Painted().Empty();
    if (m.boardSurface) m.boardSurface->Painted().Take();
    if (m.presentedOnce && view == m.presented && !(boardPainted && view.play.boardShown)) return;
    if (view.notice.shown && (!m.presented.notice.shown || m.presented.notice.text != view.notice.text))
        m.Record("notice", view.notice.text);
    m.presented = view;
    m.presentedOnce = true;
    ++m.presents;
    m.Record("present", "");
}

void HeadlessPlatform::Warn(const std::string& line) { impl_->Record("stderr", line); }

bool HeadlessPlatform::CanDrawText() { return impl_->opt.fontsInstalled; }

void HeadlessPlatform::LoadHelpPage(HelpView& view, const std::string& path) {
    impl_->Record("navigate", path);
    view.page = path;
    view.scrollY = 0;
    const std::string refused = impl_->help.LoadOrSay(path, look::kHelp.width, view.missingText, view.refusedText);
    if (!refused.empty()) Warn(refused);
}

int HeadlessPlatform::HelpPageHeight() { return impl_->help.ContentHeight(); }

int HeadlessPlatform::LevelBoxCaretAt(const LevelBoxView& box, int x) { return sdl::LevelBoxCaretAt(box, x); }

int HeadlessPlatform::DesktopWidth() { return impl_->opt.desktopWidth; }
int HeadlessPlatform::DesktopHeight() { return impl_->opt.desktopHeight; }

void HeadlessPlatform::SetFullscreen(bool on) {
    impl_->fullscreen = on;
    impl_->Record("display", on ? "fullscreen" : "window");
}

WindowPlacement HeadlessPlatform::Placement() { return impl_->placement; }

void HeadlessPlatform::PlaceWindow(const WindowPlacement& placement) {
    const WindowPlacement& p = placement;
    impl_->Record("place", std::to_string(p.left) + "," + std::to_string(p.top) + "," + std::to_string(p.width) + "," +
                               std::to_string(p.height) + (p.maximised ? ",maximised" : ""));
    impl_->placement = OntoAMonitor(placement, impl_->Monitors());
}

PictureHandle HeadlessPlatform::LoadPicture(const std::string& path) { return impl_->pictures.LoadFile(path); }

PictureHandle HeadlessPlatform::LoadPicture(const unsigned char* data, std::size_t size) {
    return impl_->pictures.LoadMemory(data, size);
}

void HeadlessPlatform::FreePicture(PictureHandle picture) { impl_->pictures.Dispose(picture); }

BoardSurface& HeadlessPlatform::Board() {
    auto& m = *impl_;
    BoardSurface* board = &m.nullBoard;
    if (m.opt.drawBoard && m.EnsureBoard()) board = m.boardSurface.get();
    if (m.opt.paintMs == 0) return *board;
    if (!m.slowBoard) m.slowBoard = std::make_unique<SlowBoard>(*board, m.now, m.opt.paintMs);
    return *m.slowBoard;
}

bool HeadlessPlatform::PlaySound(const std::string& path) {
    if (!impl_->opt.audioDevicePresent || !FileExists(path)) return false;
    impl_->Record("sound", SoundName(path));
    return true;
}

MusicPlayer& HeadlessPlatform::Music() { return impl_->music; }

std::int64_t HeadlessPlatform::UtcSeconds() {
    return impl_->opt.utcSecondsAtStart + static_cast<std::int64_t>(impl_->now / 1000);
}

void HeadlessPlatform::Prepare(const PlayView& play) { impl_->Record("prepare", play.titleShown ? play.title : ""); }

ClipboardCopy HeadlessPlatform::SetClipboardText(const std::string& text) {
    auto& m = *impl_;
    m.Record("clipboard", text);
    if (!m.opt.clipboardAnswersLater) return ClipboardCopy::Done;
    ScriptEvent e = Event(ScriptEvent::CopyAnswered, m.now + 10);
    e.value = *m.opt.clipboardAnswersLater ? 1 : 0;
    m.Add(std::move(e));
    return ClipboardCopy::Asked;
}

std::optional<bool> HeadlessPlatform::CopyAnswer() {
    auto& m = *impl_;
    m.RunDue();
    return std::exchange(m.copyAnswer, std::nullopt);
}

}  // namespace tk

// The headless twin: a virtual clock, scripted keys, recorded effects and an in-memory board picture.
#include "platform/headless_platform.h"

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <limits>

#include "platform/help_views.h"
#include "platform/sdl_core.h"

namespace tk {
namespace {

constexpr int kBoardW = 770, kBoardH = 490, kWindowW = 800, kWindowH = 600;
// A program that polls key states this often without waiting or letting events
// run is waiting for a key: let the script move on.
constexpr int kBusyPolls = 1000;
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
    enum Kind { KeyDown, KeyUp, Text, Close, Action } kind = KeyDown;
    std::uint64_t at = 0;
    std::uint64_t seq = 0;
    int vk = 0;
    int shift = 0;
    std::string text;
    std::function<void()> action;
};

ScriptEvent Event(ScriptEvent::Kind kind, std::uint64_t at) {
    ScriptEvent e{};
    e.kind = kind;
    e.at = at;
    return e;
}

struct InputEvent {
    bool isText = false;
    int vk = 0;
    int shift = 0;
    std::string text;
};

class HeadlessMusic : public MusicLibrary {
public:
    HeadlessMusic(const HeadlessOptions& o, std::function<void(const char*, std::string)> rec)
        : opt_(o), record_(std::move(rec)) {}

    bool Available(std::string* why) override {
        if (opt_.musicLibraryPresent) return true;
        if (why) *why = "the music library could not be loaded";
        return false;
    }
    bool Init(int mixRate, int, int) override {
        record_("music.init", std::to_string(mixRate));
        if (!opt_.musicLibraryPresent || !opt_.audioDevicePresent) {
            error_ = 3;
            return false;
        }
        error_ = 0;
        open_ = true;
        return true;
    }
    int GetError() override { return error_; }
    void Close() override {
        record_("music.close", "");
        open_ = false;
        streams_.clear();
    }
    std::uintptr_t StreamOpen(const std::string& path, int) override {
        if (!open_ || !FileExists(path)) return 0;
        record_("music.open", path);
        const std::uintptr_t h = nextStream_++;
        streams_[h] = path;
        return h;
    }
    std::uintptr_t StreamPlay(int channel, std::uintptr_t stream) override {
        auto it = streams_.find(stream);
        if (it == streams_.end()) return 0;
        record_("music.play", it->second);
        paused_ = false;
        return static_cast<std::uintptr_t>(channel < 0 ? 1 : channel + 1);
    }
    void StreamStop(std::uintptr_t stream) override {
        if (streams_.count(stream)) record_("music.stop", streams_[stream]);
    }
    bool GetPaused(std::uintptr_t) override { return paused_; }
    void SetPaused(std::uintptr_t, bool paused) override {
        paused_ = paused;
        record_("music.pause", paused ? "1" : "0");
    }
    void SetVolume(std::uintptr_t, int volume) override {
        record_("music.volume", std::to_string(volume));
    }

private:
    const HeadlessOptions& opt_;
    std::function<void(const char*, std::string)> record_;
    int error_ = 0;
    bool open_ = false;
    bool paused_ = false;
    std::map<std::uintptr_t, std::string> streams_;
    std::uintptr_t nextStream_ = 1;
};

}  // namespace

struct HeadlessPlatform::Impl {
    explicit Impl(HeadlessOptions o)
        : opt(std::move(o)), music(opt, [this](const char* w, std::string d) { Record(w, std::move(d)); }) {}

    HeadlessOptions opt;
    Controls* ctl = nullptr;
    EventSink* sink = nullptr;

    std::uint64_t now = 0;
    std::uint64_t seq = 0;
    std::vector<ScriptEvent> script;  // kept sorted by (at, seq)
    std::uint64_t scriptEnd = 0;
    bool runningScript = false;
    std::deque<InputEvent> input;
    bool closePending = false;
    bool closeSent = false;  // the end-of-script close goes out only once
    bool keyDown[256] = {};
    bool latch[256] = {};
    int polls = 0;

    std::vector<Recorded> log;
    int presents = 0;
    bool fullscreen = false;
    bool shown = false;

    sdl::PictureTable pictures;
    SDL_Surface* board = nullptr;
    SDL_Renderer* boardRenderer = nullptr;
    std::unique_ptr<sdl::RendererGraphics> gfx;
    sdl::NullGraphics nullGfx;
    std::unique_ptr<sdl::HelpViews> help = std::make_unique<sdl::HelpViews>();

    HeadlessMusic music;

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
                keyDown[e.vk & 0xFF] = true;
                latch[e.vk & 0xFF] = true;
                input.push_back({false, e.vk, e.shift, {}});
                break;
            case ScriptEvent::KeyUp: keyDown[e.vk & 0xFF] = false; break;
            case ScriptEvent::Text: input.push_back({true, 0, 0, e.text}); break;
            case ScriptEvent::Close: closePending = true; break;
            case ScriptEvent::Action:
                if (e.action) e.action();
                break;
        }
    }

    // Runs every scripted event due by `until`, moving the clock to each one's time.
    // An action that waits or polls itself does not run the script from inside.
    void RunUntil(std::uint64_t until) {
        if (runningScript) return;
        struct Running {
            bool& flag;
            explicit Running(bool& f) : flag(f) { flag = true; }
            ~Running() { flag = false; }
        } running(runningScript);
        while (!script.empty() && script.front().at <= until) {
            ScriptEvent e = std::move(script.front());
            script.erase(script.begin());
            now = std::max(now, e.at);
            Apply(e);
        }
    }
    void RunDue() { RunUntil(now); }

    bool ScriptOver() const { return script.empty(); }

    // Asks the game to close, once, when the script is spent.
    void CloseAtEnd() {
        if (!opt.closeWhenScriptEnds || closeSent || !ScriptOver()) return;
        closeSent = true;
        if (sink) sink->Form_CloseRequest();
    }

    void GuardIdle() {
        if (ScriptOver() && now > scriptEnd + kIdleLimitMs) {
            if (!closeSent) {
                closeSent = true;
                if (sink) sink->Form_CloseRequest();
            }
        }
    }

    bool TimerDue() const { return ctl && ctl->Timer1.Enabled && now >= ctl->Timer1.dueAt; }

    void EnsureBoard() {
        if (board) return;
        board = SDL_CreateRGBSurfaceWithFormat(0, kBoardW, kBoardH, 32, SDL_PIXELFORMAT_ARGB8888);
        if (!board) return;
        SDL_FillRect(board, nullptr, SDL_MapRGBA(board->format, 0, 0, 0, 255));
        boardRenderer = SDL_CreateSoftwareRenderer(board);
    }

    // The window is composed on demand into a surface of its own, kept between
    // calls so that its text stays rendered.
    SDL_Surface* window = nullptr;
    SDL_Renderer* windowRenderer = nullptr;
    std::unique_ptr<sdl::TextCache> windowTexts;

    const SDL_Surface* ComposeWindow() {
        if (!window) {
            window = SDL_CreateRGBSurfaceWithFormat(0, kWindowW, kWindowH, 32, SDL_PIXELFORMAT_ARGB8888);
            if (!window) return nullptr;
            windowRenderer = SDL_CreateSoftwareRenderer(window);
            if (!windowRenderer) return nullptr;
            windowTexts = std::make_unique<sdl::TextCache>(windowRenderer);
        }
        if (!windowRenderer) return nullptr;
        SDL_Texture* game = board ? SDL_CreateTextureFromSurface(windowRenderer, board) : nullptr;
        static const Controls empty;
        sdl::ComposeWindow(windowRenderer, ctl ? *ctl : empty, pictures, *windowTexts, game,
                           [&](const BrowserView& v, const SDL_Rect& vp) { help->Draw(v, windowRenderer, vp); });
        SDL_RenderPresent(windowRenderer);
        if (game) SDL_DestroyTexture(game);
        return window;
    }

    ~Impl() {
        if (help && windowRenderer) help->ForgetRenderer(windowRenderer);
        windowTexts.reset();
        if (windowRenderer) {
            pictures.ForgetRenderer(windowRenderer);
            SDL_DestroyRenderer(windowRenderer);
        }
        if (window) SDL_FreeSurface(window);
    }
};

HeadlessPlatform::HeadlessPlatform(HeadlessOptions options) : impl_(std::make_unique<Impl>(std::move(options))) {
    // Text and picture decoders stay up for the life of the process: the help view
    // keeps faces of its own open, and every test builds a new twin.
    if (!TTF_WasInit()) TTF_Init();
    impl_->pictures.ShareDecoded(true);
    static const int decoders = IMG_Init(IMG_INIT_PNG | IMG_INIT_JPG);
    (void)decoders;
}

HeadlessPlatform::~HeadlessPlatform() {
    impl_->gfx.reset();
    impl_->help.reset();
    if (impl_->boardRenderer) {
        impl_->pictures.ForgetRenderer(impl_->boardRenderer);
        SDL_DestroyRenderer(impl_->boardRenderer);
    }
    if (impl_->board) SDL_FreeSurface(impl_->board);
    impl_.reset();
    // Fonts stay open: another twin may be alive and drawing with them.
}

// ---- the script -----------------------------------------------------------------

void HeadlessPlatform::Press(std::uint64_t at, int vkCode, int shift, std::uint64_t holdMs) {
    KeyDown(at, vkCode, shift);
    KeyUp(at + holdMs, vkCode);
}

void HeadlessPlatform::KeyDown(std::uint64_t at, int vkCode, int shift) {
    ScriptEvent e = Event(ScriptEvent::KeyDown, at);
    e.vk = vkCode;
    e.shift = shift;
    impl_->Add(std::move(e));
}

void HeadlessPlatform::KeyUp(std::uint64_t at, int vkCode) {
    ScriptEvent e = Event(ScriptEvent::KeyUp, at);
    e.vk = vkCode;
    impl_->Add(std::move(e));
}

void HeadlessPlatform::Type(std::uint64_t at, const std::string& utf8) {
    ScriptEvent e = Event(ScriptEvent::Text, at);
    e.text = utf8;
    impl_->Add(std::move(e));
}

void HeadlessPlatform::Close(std::uint64_t at) { impl_->Add(Event(ScriptEvent::Close, at)); }

void HeadlessPlatform::At(std::uint64_t at, std::function<void()> action) {
    ScriptEvent e = Event(ScriptEvent::Action, at);
    e.action = std::move(action);
    impl_->Add(std::move(e));
}

std::uint64_t HeadlessPlatform::ScriptEnd() const { return impl_->scriptEnd; }

// ---- what happened -------------------------------------------------------------

const std::vector<Recorded>& HeadlessPlatform::Log() const { return impl_->log; }

std::vector<std::string> HeadlessPlatform::Sounds() const {
    std::vector<std::string> out;
    for (const auto& r : impl_->log) {
        if (r.what == "sound") out.push_back(r.detail);
    }
    return out;
}

std::vector<Recorded> HeadlessPlatform::LogOf(const std::string& what) const {
    std::vector<Recorded> out;
    for (const auto& r : impl_->log) {
        if (r.what == what) out.push_back(r);
    }
    return out;
}

int HeadlessPlatform::PresentCount() const { return impl_->presents; }
bool HeadlessPlatform::Fullscreen() const { return impl_->fullscreen; }
bool HeadlessPlatform::WindowShown() const { return impl_->shown; }

Rgba HeadlessPlatform::GamePixel(int x, int y) const {
    if (!impl_->board) return Rgba{0, 0, 0, 255};
    return ReadPixel(impl_->board, x, y);
}

Rgba HeadlessPlatform::WindowPixel(int x, int y) { return ReadPixel(impl_->ComposeWindow(), x, y); }

bool HeadlessPlatform::SaveWindowPng(const std::string& path) {
    const SDL_Surface* win = impl_->ComposeWindow();
    return win && IMG_SavePNG(const_cast<SDL_Surface*>(win), path.c_str()) == 0;
}

Rgba HeadlessPlatform::PicturePixel(PictureHandle image, int x, int y) const {
    return ReadPixel(impl_->pictures.Surface(image), x, y);
}

int HeadlessPlatform::PictureWidth(PictureHandle image) const {
    const SDL_Surface* s = impl_->pictures.Surface(image);
    return s ? s->w : 0;
}

int HeadlessPlatform::PictureHeight(PictureHandle image) const {
    const SDL_Surface* s = impl_->pictures.Surface(image);
    return s ? s->h : 0;
}

int HeadlessPlatform::LivePictures() const { return impl_->pictures.Live(); }

// ---- Platform ---------------------------------------------------------------------

void HeadlessPlatform::Attach(Controls& controls, EventSink& sink) {
    impl_->ctl = &controls;
    impl_->sink = &sink;
}

std::string HeadlessPlatform::ProgramFolder() {
    std::string f = impl_->opt.programFolder;
    while (f.size() > 1 && (f.back() == '/' || f.back() == '\\')) f.pop_back();
    return f;
}

std::uint64_t HeadlessPlatform::Now() { return impl_->now; }

void HeadlessPlatform::Sleep(int ms) {
    auto& m = *impl_;
    m.polls = 0;
    const std::uint64_t until = m.now + static_cast<std::uint64_t>(std::max(ms, 0));
    m.RunUntil(until);
    m.now = std::max(m.now, until);
    m.GuardIdle();
}

void HeadlessPlatform::DoEvents() {
    auto& m = *impl_;
    m.polls = 0;
    m.RunDue();
    while (!m.input.empty()) {
        InputEvent e = std::move(m.input.front());
        m.input.pop_front();
        if (e.isText) {
            if (m.ctl && m.ctl->Text2.Visible) sdl::TextBoxType(m.ctl->Text2, e.text);
            continue;
        }
        sdl::DeliverKeyDown(m.sink, m.ctl, e.vk, e.shift,
                            [&](const BrowserView& v) { return m.help->ContentHeight(v); });
    }
    if (m.ctl && sdl::TakeTimerTick(m.ctl->Timer1, m.now) && m.sink) m.sink->Timer1_Timer();
    if (m.closePending) {
        m.closePending = false;
        if (m.sink) m.sink->Form_CloseRequest();
    }
    m.GuardIdle();
}

void HeadlessPlatform::WaitEvents() {
    auto& m = *impl_;
    m.polls = 0;
    m.RunDue();
    if (!m.input.empty() || m.closePending || m.TimerDue()) return;
    std::uint64_t next = std::numeric_limits<std::uint64_t>::max();
    if (!m.script.empty()) next = m.script.front().at;
    if (m.ctl && m.ctl->Timer1.Enabled) next = std::min(next, m.ctl->Timer1.dueAt);
    if (next == std::numeric_limits<std::uint64_t>::max()) {
        if (m.opt.closeWhenScriptEnds) {
            m.closePending = true;
        } else {
            // Nothing will ever happen: let idle time pass so the guard can end it.
            m.now += 1000;
            m.GuardIdle();
        }
        return;
    }
    m.now = std::max(m.now, next);
    m.RunDue();
}

std::int16_t HeadlessPlatform::GetAsyncKeyState(int vkCode) {
    auto& m = *impl_;
    if (++m.polls >= kBusyPolls) {
        m.polls = 0;
        if (!m.script.empty()) {
            m.now = std::max(m.now, m.script.front().at);
        } else {
            m.CloseAtEnd();
        }
    }
    m.RunDue();
    const int k = vkCode & 0xFF;
    if (vkCode < 0 || vkCode > 0xFF) return 0;
    const bool down = m.keyDown[k], pressed = m.latch[k];
    m.latch[k] = false;
    return static_cast<std::int16_t>((down ? 0x8000 : 0) | (pressed ? 1 : 0));
}

void HeadlessPlatform::ShowWindow() {
    impl_->shown = true;
    impl_->Record("show", "");
}

void HeadlessPlatform::Repaint() {
    impl_->Record("repaint", "");
    ++impl_->presents;
}

void HeadlessPlatform::PresentGame() { ++impl_->presents; }

void HeadlessPlatform::MsgBox(const std::string& text, const std::string&, bool) {
    impl_->Record("msgbox", text);
}

void HeadlessPlatform::Navigate(BrowserView& view, const std::string& path) {
    impl_->Record("navigate", path);
    view.Location = path;
    view.ScrollY = 0;
    impl_->help->Navigate(view, path);
}

void HeadlessPlatform::Warn(const std::string& line) { impl_->Record("stderr", line); }

bool HeadlessPlatform::CanDrawText() { return impl_->opt.fontsInstalled; }

int HeadlessPlatform::ScreenWidthPixels() { return impl_->opt.desktopWidth; }
int HeadlessPlatform::ScreenHeightPixels() { return impl_->opt.desktopHeight; }

void HeadlessPlatform::ChangeDisplayMode(int width, int height, WindowMode mode) {
    impl_->fullscreen = mode == WindowMode::FullScreen;
    impl_->Record("display", std::to_string(width) + "x" + std::to_string(height));
}

void HeadlessPlatform::MoveWindow(int leftTwips, int topTwips) {
    impl_->Record("move", std::to_string(leftTwips) + "," + std::to_string(topTwips));
}

std::uint32_t HeadlessPlatform::GdiplusStartup(const GdiplusStartupInput&) { return 1; }
void HeadlessPlatform::GdiplusShutdown(std::uint32_t) {}

Graphics* HeadlessPlatform::GdipCreateFromHDC(PictureBox&) {
    auto& m = *impl_;
    if (!m.opt.drawBoard) return &m.nullGfx;
    m.EnsureBoard();
    if (!m.boardRenderer) return &m.nullGfx;
    if (!m.gfx) m.gfx = std::make_unique<sdl::RendererGraphics>(m.boardRenderer, m.pictures, nullptr);
    return m.gfx.get();
}

void HeadlessPlatform::GdipDeleteGraphics(Graphics*) {}

PictureHandle HeadlessPlatform::GdipCreateBitmapFromFile(const std::string& path) {
    return impl_->pictures.LoadFile(path);
}

PictureHandle HeadlessPlatform::LoadPictureFromMemory(const unsigned char* data, std::size_t size) {
    return impl_->pictures.LoadMemory(data, size);
}

void HeadlessPlatform::GdipDisposeImage(PictureHandle image) { impl_->pictures.Dispose(image); }

void HeadlessPlatform::PlaySound(const std::string& path) {
    if (FileExists(path)) impl_->Record("sound", SoundName(path));
}

MusicLibrary& HeadlessPlatform::Music() { return impl_->music; }

}  // namespace tk

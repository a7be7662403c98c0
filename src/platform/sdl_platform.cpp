// The real platform on SDL2: one window, keys, the clock timer, the board picture, sound and music.
#include <SDL.h>
#include <SDL_image.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cstdlib>
#include <iostream>

#include "platform/fonts.h"
#include "platform/help_views.h"
#include "platform/platform.h"
#include "platform/sdl_core.h"
#include "platform/sdl_keys.h"
#include "platform/sdl_sound.h"

namespace tk {
namespace {

constexpr int kWindowW = 800, kWindowH = 600, kBoardW = 770, kBoardH = 490;
constexpr int kTwips = 15;
// Polling the keys this many times without a wait gives the processor a millisecond.
constexpr int kPollsPerBreath = 64;

class SdlPlatform : public Platform {
public:
    SdlPlatform(SDL_Window* window, SDL_Renderer* renderer) : window_(window), renderer_(renderer) {
        texts_ = std::make_unique<sdl::TextCache>(renderer_);
        gfx_ = std::make_unique<sdl::RendererGraphics>(renderer_, pictures_, [this] { return GameImage(); });
        SDL_AddEventWatch(&SdlPlatform::Watch, this);
    }

    ~SdlPlatform() override {
        SDL_DelEventWatch(&SdlPlatform::Watch, this);
        help_.ForgetRenderer(renderer_);
        texts_.reset();
        pictures_.ForgetRenderer(renderer_);
        if (game_) SDL_DestroyTexture(game_);
        SDL_DestroyRenderer(renderer_);
        SDL_DestroyWindow(window_);
        CloseFonts();
    }

    void Attach(Controls& controls, EventSink& sink) override {
        ctl_ = &controls;
        sink_ = &sink;
    }

    std::string ProgramFolder() override {
        std::string folder;
        if (char* base = SDL_GetBasePath()) {
            folder = base;
            SDL_free(base);
        }
        while (folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\')) folder.pop_back();
        return folder.empty() ? "." : folder;
    }

    std::uint64_t Now() override { return SDL_GetTicks64(); }

    void Sleep(int ms) override {
        polls_ = 0;
        const std::uint64_t until = Now() + static_cast<std::uint64_t>(std::max(ms, 0));
        // Keep the window alive without dispatching: what arrives waits in SDL's queue.
        for (;;) {
            SDL_PumpEvents();
            // A window uncovered during a long wait (the 4 s after a level) is
            // drawn again; the exposure itself still reaches DoEvents later.
            if (exposed_) Present();
            const std::uint64_t now = Now();
            if (now >= until) break;
            SDL_Delay(static_cast<Uint32>(std::min<std::uint64_t>(until - now, 10)));
        }
    }

    void DoEvents() override {
        polls_ = 0;
        bool changed = false;
        SDL_Event e;
        while (SDL_PollEvent(&e)) changed |= Dispatch(e);
        if (ctl_ && sdl::TakeTimerTick(ctl_->Timer1, Now())) {
            if (sink_) sink_->Timer1_Timer();
            changed = true;
        }
        if (changed) Present();
    }

    void WaitEvents() override {
        polls_ = 0;
        int timeout = 500;  // wake now and then even when nothing is due
        if (ctl_ && ctl_->Timer1.Enabled) {
            const std::uint64_t now = Now();
            if (now >= ctl_->Timer1.dueAt) return;
            timeout = static_cast<int>(std::min<std::uint64_t>(ctl_->Timer1.dueAt - now, 500));
        }
        SDL_WaitEventTimeout(nullptr, timeout);  // leaves the event queued for DoEvents
    }

    std::int16_t GetAsyncKeyState(int vkCode) override {
        if (++polls_ % kPollsPerBreath == 0) SDL_Delay(1);
        SDL_PumpEvents();
        if (vkCode < 0 || vkCode > 0xFF) return 0;
        int numKeys = 0;
        const Uint8* state = SDL_GetKeyboardState(&numKeys);
        const bool down = sdl::VkHeld(vkCode, state, numKeys);
        const bool pressed = latch_[vkCode];
        latch_[vkCode] = false;
        return static_cast<std::int16_t>((down ? 0x8000 : 0) | (pressed ? 1 : 0));
    }

    void ShowWindow() override {
        SDL_ShowWindow(window_);
        SDL_RaiseWindow(window_);
        shown_ = true;
        Present();
    }

    void Repaint() override { Present(); }
    void PresentGame() override { Present(); }

    void MsgBox(const std::string& text, const std::string& title, bool critical) override {
        std::cerr << title << ": " << text << '\n';
        SDL_ShowSimpleMessageBox(critical ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION,
                                 title.c_str(), text.c_str(), shown_ ? window_ : nullptr);
    }

    void Warn(const std::string& line) override { std::cerr << "TramolKulap: " << line << '\n'; }

    bool CanDrawText() override { return GetFont(sdl::kTextFamily, true, false, 12) != nullptr; }

    void Navigate(BrowserView& view, const std::string& path) override {
        view.Location = path;
        view.ScrollY = 0;
        help_.Navigate(view, path);
    }

    int ScreenWidthPixels() override { return Desktop().w; }
    int ScreenHeightPixels() override { return Desktop().h; }

    void ChangeDisplayMode(int, int, WindowMode mode) override {
        if (mode == WindowMode::FullScreen) {
            // Full screen at the desktop's own resolution; the logical size scales and
            // letter-boxes the picture, and the user's display mode stays as it is.
            SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP);
        } else {
            SDL_SetWindowFullscreen(window_, 0);
            SDL_SetWindowSize(window_, kWindowW, kWindowH);
            const int display = std::max(0, SDL_GetWindowDisplayIndex(window_));
            SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED_DISPLAY(display),
                                  SDL_WINDOWPOS_CENTERED_DISPLAY(display));
        }
        Present();
    }

    void MoveWindow(int leftTwips, int topTwips) override {
        if (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) return;
        SDL_SetWindowPosition(window_, leftTwips / kTwips, topTwips / kTwips);
    }

    std::uint32_t GdiplusStartup(const GdiplusStartupInput&) override { return 1; }
    void GdiplusShutdown(std::uint32_t) override {}
    Graphics* GdipCreateFromHDC(PictureBox&) override { return gfx_.get(); }
    void GdipDeleteGraphics(Graphics*) override {}
    PictureHandle GdipCreateBitmapFromFile(const std::string& path) override {
        return pictures_.LoadFile(path);
    }
    PictureHandle LoadPictureFromMemory(const unsigned char* data, std::size_t size) override {
        return pictures_.LoadMemory(data, size);
    }
    void GdipDisposeImage(PictureHandle image) override { pictures_.Dispose(image); }

    void PlaySound(const std::string& path) override { audio_.PlayEffect(path); }
    MusicLibrary& Music() override { return music_; }

private:
    static int SDLCALL Watch(void* self, SDL_Event* e) {
        auto* p = static_cast<SdlPlatform*>(self);
        if (e->type == SDL_KEYDOWN) {
            const int code = sdl::VkFromKey(e->key.keysym);
            if (code > 0 && code <= 0xFF) p->latch_[code] = true;
        } else if (e->type == SDL_WINDOWEVENT && e->window.event == SDL_WINDOWEVENT_EXPOSED) {
            p->exposed_ = true;
        } else if (e->type == SDL_QUIT) {
            // Also seen by loops that dispatch nothing (the quit question).
            if (p->sink_) p->sink_->Form_CloseRequest();
        }
        return 1;
    }

    // True when the window needs composing again.
    bool Dispatch(const SDL_Event& e) {
        switch (e.type) {
            case SDL_KEYDOWN: {
                const int code = sdl::VkFromKey(e.key.keysym);
                if (!code || !sink_) return false;
                sdl::DeliverKeyDown(sink_, ctl_, code, sdl::ShiftMaskFromMod(e.key.keysym.mod),
                                    [&](const BrowserView& v) { return help_.ContentHeight(v); });
                return true;
            }
            case SDL_TEXTINPUT:
                if (ctl_ && ctl_->Text2.Visible) {
                    sdl::TextBoxType(ctl_->Text2, e.text.text);
                    return true;
                }
                return false;
            case SDL_QUIT:
                if (sink_) sink_->Form_CloseRequest();
                return false;
            case SDL_WINDOWEVENT:
                return e.window.event == SDL_WINDOWEVENT_EXPOSED ||
                       e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED ||
                       e.window.event == SDL_WINDOWEVENT_RESTORED;
            case SDL_MOUSEBUTTONDOWN: {
                if (!sink_) return false;
                const int button = e.button.button == SDL_BUTTON_LEFT    ? 1
                                   : e.button.button == SDL_BUTTON_RIGHT ? 2
                                   : e.button.button == SDL_BUTTON_MIDDLE ? 4
                                                                          : 0;
                sink_->Form_MouseDown(button, sdl::ShiftMaskFromMod(SDL_GetModState()),
                                      static_cast<float>(e.button.x * kTwips),
                                      static_cast<float>(e.button.y * kTwips));
                return false;
            }
            case SDL_RENDER_TARGETS_RESET:
                // The board picture's pixels are gone; start it afresh.
                ResetGameImage();
                return true;
            case SDL_RENDER_DEVICE_RESET:
                help_.ForgetRenderer(renderer_);
                texts_->Clear();
                pictures_.ForgetRenderer(renderer_);
                ResetGameImage();
                return true;
            default: return false;
        }
    }

    void ResetGameImage() {
        if (game_) SDL_DestroyTexture(game_);
        game_ = nullptr;
        GameImage();
    }

    // picGame's persistent image, made on first use.
    SDL_Texture* GameImage() {
        if (game_) return game_;
        game_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, kBoardW,
                                  kBoardH);
        if (!game_) return nullptr;
        SDL_Texture* before = SDL_GetRenderTarget(renderer_);
        SDL_SetRenderTarget(renderer_, game_);
        SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_NONE);
        SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
        SDL_RenderClear(renderer_);
        SDL_SetRenderTarget(renderer_, before);
        return game_;
    }

    void Present() {
        exposed_ = false;
        if (!ctl_) return;
        SDL_SetRenderTarget(renderer_, nullptr);
        sdl::ComposeWindow(renderer_, *ctl_, pictures_, *texts_, GameImage(),
                           [this](const BrowserView& v, const SDL_Rect& vp) { help_.Draw(v, renderer_, vp); });
        SDL_RenderPresent(renderer_);
        SyncTextInput();
    }

    // Text input (and the input method) only while the text box is shown.
    void SyncTextInput() {
        const bool want = ctl_ && ctl_->Text2.Visible;
        if (want != textInput_) {
            if (want) {
                SDL_StartTextInput();
            } else {
                SDL_StopTextInput();
            }
            textInput_ = want;
        }
    }

    SDL_DisplayMode Desktop() {
        SDL_DisplayMode mode{};
        const int display = std::max(0, SDL_GetWindowDisplayIndex(window_));
        if (SDL_GetDesktopDisplayMode(display, &mode) != 0) mode.w = kWindowW, mode.h = kWindowH;
        return mode;
    }

    SDL_Window* window_;
    SDL_Renderer* renderer_;
    SDL_Texture* game_ = nullptr;
    Controls* ctl_ = nullptr;
    EventSink* sink_ = nullptr;
    sdl::PictureTable pictures_;
    std::unique_ptr<sdl::TextCache> texts_;
    std::unique_ptr<sdl::RendererGraphics> gfx_;
    sdl::HelpViews help_;
    sdl::SdlAudio audio_;
    sdl::SdlMusic music_{audio_};
    bool latch_[256] = {};
    int polls_ = 0;
    bool shown_ = false;
    bool exposed_ = false;
    bool textInput_ = true;  // SDL starts with text input on
};

[[noreturn]] void CannotStart(const char* what) {
    std::cerr << "TramolKulap: " << what << ": " << SDL_GetError() << '\n';
    std::exit(1);
}

}  // namespace

std::unique_ptr<Platform> CreateSdlPlatform() {
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER) != 0) CannotStart("cannot start SDL");
    if (!TTF_WasInit() && TTF_Init() != 0) CannotStart("cannot start the text renderer");
    IMG_Init(IMG_INIT_PNG | IMG_INIT_JPG);
    SDL_Window* window = SDL_CreateWindow("TramolKulap", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kWindowW,
                                          kWindowH, SDL_WINDOW_HIDDEN);
    if (!window) CannotStart("cannot open the window");
    SDL_Renderer* renderer =
        SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_TARGETTEXTURE);
    if (!renderer) renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    if (!renderer) CannotStart("cannot draw into the window");
    SDL_RenderSetLogicalSize(renderer, kWindowW, kWindowH);
    return std::make_unique<SdlPlatform>(window, renderer);
}

}  // namespace tk

// The real platform on SDL2: one window, keys, the board picture, the composed window, sound and music.
#include <SDL.h>
#include <SDL_image.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <deque>
#include <iostream>
#include <vector>

#include "platform/fonts.h"
#include "platform/html_view.h"
#include "platform/picture_fit.h"
#include "platform/platform.h"
#include "platform/sdl_board.h"
#include "platform/sdl_close_signals.h"
#include "platform/sdl_compose.h"
#include "platform/sdl_handles.h"
#include "platform/sdl_keys.h"
#include "platform/sdl_pads.h"
#include "platform/sdl_pictures.h"
#include "platform/sdl_sound.h"
#include "platform/sdl_text.h"
#include "platform/window_look.h"

namespace tk {
namespace {

// Everything is drawn in memory by SDL's software renderer into one 800 × 600 picture of
// the window, only where something changed; the changed pieces then go to the window's
// own surface, without any graphics library: as they are at the window's own size,
// stretched when it is scaled (full screen, or a window resized or on a high-DPI display).
// No renderer is ever made for the window, so it keeps its identity for the whole run
// (an accelerated one would have SDL make the window anew and load a GL driver), and it
// is never larger than the desktop's largest monitor, so its surface stays that small.
class SdlPlatform : public Platform {
public:
    SdlPlatform(sdl::WindowHandle window, sdl::SurfaceHandle image, sdl::RendererHandle renderer)
        : window_(std::move(window)), image_(std::move(image)), renderer_(std::move(renderer)),
          pictures_(renderer_.get()), texts_(renderer_.get()),
          board_(renderer_.get(), pictures_, [this] { return BoardImage(); }) {
        KeepWithinTheLargestMonitor();
    }

    ~SdlPlatform() override {
        help_.ReleaseTextures();
        CloseFonts();
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

    void WaitUntil(std::uint64_t deadline, bool wakeOnInput) override {
        for (;;) {
            const bool wasClosing = close_;
            const bool arrived = Pump();
            if ((close_ && !wasClosing) || (wakeOnInput && arrived)) return;
            if (close_ && deadline == kNoDeadline) return;
            // A window uncovered or resized during a wait is drawn again at once.
            if (exposed_ && presentedOnce_) ToScreen({sdl::kWholeWindow});
            const std::uint64_t now = Now();
            if (now >= deadline) return;
            const std::uint64_t left = deadline - now;
            SDL_WaitEventTimeout(nullptr, static_cast<int>(std::min<std::uint64_t>(left, INT_MAX)));
        }
    }

    bool NextInput(InputEvent& event) override {
        Pump();
        if (input_.empty()) return false;
        event = std::move(input_.front());
        input_.pop_front();
        return true;
    }

    bool CloseRequested() override {
        Pump();
        return close_;
    }

    KeyState LookAt(Key key) override {
        Pump();
        int numKeys = 0;
        const Uint8* state = SDL_GetKeyboardState(&numKeys);
        return latches_.Look(key, sdl::KeyHeld(key, state, numKeys) || pads_.Holds(key));
    }

    void ShowWindow() override {
        SDL_ShowWindow(window_.get());
        SDL_RaiseWindow(window_.get());
        shown_ = true;
        exposed_ = true;
        // While the start-up picture stands, the sound library opens for the music.
        audio_.Prepare();
    }

    void Present(const WindowView& view) override {
        if (!presentedOnce_) {
            changed_.Add(sdl::kWholeWindow);
            board_.Painted().Take();
        } else {
            sdl::AddChangedAreas(presented_, view, texts_, changed_);
            sdl::AddBoardPainting(view, board_.Painted(), changed_);
            if (helpChanged_ && view.help.shown)
                changed_.Add(SDL_Rect{look::kHelp.left, look::kHelp.top, look::kHelp.width, look::kHelp.height});
        }
        helpChanged_ = false;
        presented_ = view;
        presentedOnce_ = true;
        SyncTextInput(view);
        if (changed_.Empty() && !exposed_) return;
        std::vector<SDL_Rect> areas = changed_.Take();
        SDL_SetRenderTarget(renderer_.get(), nullptr);
        for (const SDL_Rect& area : areas) {
            sdl::ComposeWindow(renderer_.get(), view, pictures_, texts_, BoardImage(),
                               [this](const HelpView& v, const SDL_Rect& onWindow) {
                                   help_.Draw(renderer_.get(), onWindow, v.scrollY);
                               },
                               area);
        }
        texts_.Trim();
        if (exposed_) areas.assign(1, sdl::kWholeWindow);
        ToScreen(areas);
    }

    void Warn(const std::string& line) override { std::cerr << kWindowTitle << ": " << line << '\n'; }

    bool CanDrawText() override { return sdl::TextFont(12, true) != nullptr; }

    void LoadHelpPage(HelpView& view, const std::string& path) override {
        view.page = path;
        view.scrollY = 0;
        const std::string refused = help_.LoadOrSay(path, look::kHelp.width, view.missingText, view.refusedText);
        if (!refused.empty()) Warn(refused);
        helpChanged_ = true;
    }

    int HelpPageHeight() override { return help_.ContentHeight(); }

    int DesktopWidth() override { return Desktop().w; }
    int DesktopHeight() override { return Desktop().h; }

    void SetFullscreen(bool on) override {
        if (on) {
            // Full screen at the desktop's own resolution; the logical size scales and
            // letter-boxes the picture, and the user's display mode stays as it is.
            SDL_SetWindowFullscreen(window_.get(), SDL_WINDOW_FULLSCREEN_DESKTOP);
        } else {
            // Back at its own size; where it stands is the game's choice (MoveWindow).
            SDL_SetWindowFullscreen(window_.get(), 0);
            SDL_SetWindowSize(window_.get(), kWindowWidth, kWindowHeight);
        }
        fullscreen_ = on;
        exposed_ = true;
    }

    void MoveWindow(int left, int top) override {
        if (!fullscreen_) SDL_SetWindowPosition(window_.get(), left, top);
    }

    PictureHandle LoadPicture(const std::string& path) override { return pictures_.LoadFile(path); }
    PictureHandle LoadPicture(const unsigned char* data, std::size_t size) override {
        return pictures_.LoadMemory(data, size);
    }
    void FreePicture(PictureHandle picture) override { pictures_.Dispose(picture); }
    BoardSurface& Board() override { return board_; }

    bool PlaySound(const std::string& path) override { return audio_.PlayEffect(path); }
    MusicPlayer& Music() override { return music_; }

private:
    // Moves what SDL has queued into the game's own queue and latches; true when a key
    // or typed text arrived.
    bool Pump() {
        bool arrived = false;
        if (sdl::CloseSignalled()) close_ = true;
        SDL_Event e;
        while (SDL_PollEvent(&e)) {
            switch (e.type) {
                case SDL_KEYDOWN: {
                    const Key key = sdl::KeyFromSdl(e.key.keysym);
                    if (key == Key::None) break;
                    latches_.Press(key);
                    input_.push_back({InputEvent::Kind::Key, key, sdl::ModifiersFromSdl(e.key.keysym.mod), {}});
                    arrived = true;
                    break;
                }
                case SDL_TEXTINPUT:
                    if (textInput_) {
                        input_.push_back({InputEvent::Kind::Text, Key::None, 0, e.text.text});
                        arrived = true;
                    }
                    break;
                case SDL_QUIT: close_ = true; break;
                case SDL_WINDOWEVENT:
                    if (e.window.event == SDL_WINDOWEVENT_EXPOSED || e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED ||
                        e.window.event == SDL_WINDOWEVENT_RESTORED)
                        exposed_ = true;
                    if (e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) KeepWithinTheLargestMonitor();
                    break;
                case SDL_DISPLAYEVENT: KeepWithinTheLargestMonitor(); break;
                default:
                    // A controller's buttons arrive as the keys they stand for.
                    if (pads_.Take(e, latches_, input_)) arrived = true;
                    break;
            }
        }
        return arrived;
    }

    // The board picture's persistent image, made on first use and black until painted.
    SDL_Texture* BoardImage() {
        if (boardImage_) return boardImage_.get();
        boardImage_.reset(SDL_CreateTexture(renderer_.get(), SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET,
                                            kBoardWidth, kBoardHeight));
        if (!boardImage_) return nullptr;
        SDL_Texture* before = SDL_GetRenderTarget(renderer_.get());
        SDL_SetRenderTarget(renderer_.get(), boardImage_.get());
        SDL_SetRenderDrawBlendMode(renderer_.get(), SDL_BLENDMODE_NONE);
        SDL_SetRenderDrawColor(renderer_.get(), 0, 0, 0, 255);
        SDL_RenderClear(renderer_.get());
        SDL_SetRenderTarget(renderer_.get(), before);
        return boardImage_.get();
    }

    // The changed pieces of the window's picture onto the screen.
    void ToScreen(const std::vector<SDL_Rect>& areas) {
        exposed_ = false;
        if (!shown_ || oversize_) return;
        SDL_Surface* surface = SDL_GetWindowSurface(window_.get());
        if (!surface) return;
        if (!fullscreen_ && surface->w == kWindowWidth && surface->h == kWindowHeight) {
            for (SDL_Rect area : areas) SDL_BlitSurface(image_.get(), &area, surface, &area);
            SDL_UpdateWindowSurfaceRects(window_.get(), areas.data(), static_cast<int>(areas.size()));
            return;
        }
        ScaledToScreen(surface, areas);
    }

    // Full screen or a window of another size: the picture stretched to fit with its
    // shape kept, between black bars.
    void ScaledToScreen(SDL_Surface* surface, const std::vector<SDL_Rect>& areas) {
        const PictureFit fit = FitPicture(surface->w, surface->h);
        const SDL_Rect onScreen{fit.left, fit.top, fit.width, fit.height};
        std::vector<SDL_Rect> shown;
        if (fit.wholeMultiple && surface->format->format == image_->format->format) {
            // Whole multiples copy pixels, so the changed pieces alone go up.
            const int k = fit.width / kWindowWidth;
            for (SDL_Rect area : areas) {
                SDL_Rect to{fit.left + area.x * k, fit.top + area.y * k, area.w * k, area.h * k};
                SDL_SoftStretch(image_.get(), &area, surface, &to);
                shown.push_back(to);
            }
        } else if (surface->format->format == image_->format->format) {
            // Any other scale blends pixels, so that no row or column comes out thicker
            // than its neighbours; a blend of a piece would not meet its neighbours'
            // exactly, so the whole picture goes up.
            SDL_Rect to = onScreen;
            SDL_SoftStretchLinear(image_.get(), nullptr, surface, &to);
            shown.push_back(onScreen);
        } else {
            SDL_Rect to = onScreen;
            SDL_BlitScaled(image_.get(), nullptr, surface, &to);
            shown.push_back(onScreen);
        }
        if (areas.size() == 1 && SDL_RectEquals(&areas[0], &sdl::kWholeWindow)) {
            // The bars, when the whole window goes up.
            const SDL_Rect bars[] = {{0, 0, surface->w, fit.top},
                                     {0, fit.top + fit.height, surface->w, surface->h - fit.top - fit.height},
                                     {0, fit.top, fit.left, fit.height},
                                     {fit.left + fit.width, fit.top, surface->w - fit.left - fit.width, fit.height}};
            for (const SDL_Rect& bar : bars) SDL_FillRect(surface, &bar, SDL_MapRGB(surface->format, 0, 0, 0));
            shown.assign(1, SDL_Rect{0, 0, surface->w, surface->h});
        }
        SDL_UpdateWindowSurfaceRects(window_.get(), shown.data(), static_cast<int>(shown.size()));
    }

    // The window is never larger than the largest monitor: a window manager keeps to the
    // size hint, and a window made larger anyway (no window manager, a script) is put back,
    // and not drawn until it is, so that its surface is never made at that size.
    void KeepWithinTheLargestMonitor() {
        SDL_Rect largest{0, 0, 0, 0};
        for (int d = 0; d < SDL_GetNumVideoDisplays(); ++d) {
            SDL_Rect bounds{};
            if (SDL_GetDisplayBounds(d, &bounds) == 0 && bounds.w * bounds.h > largest.w * largest.h) largest = bounds;
        }
        const int widest = std::max(largest.w, kWindowWidth), tallest = std::max(largest.h, kWindowHeight);
        SDL_SetWindowMaximumSize(window_.get(), widest, tallest);
        int w = 0, h = 0;
        SDL_GetWindowSizeInPixels(window_.get(), &w, &h);
        oversize_ = w > widest || h > tallest;
        if (oversize_) {
            if (!toldOversize_) Warn("the window was made larger than the largest monitor; drawn again at its size");
            toldOversize_ = true;
            SDL_SetWindowSize(window_.get(), std::min(w, widest), std::min(h, tallest));
        }
    }

    // Text input (and the input method) only while the level box is shown.
    void SyncTextInput(const WindowView& view) {
        const bool want = view.levelBox.shown;
        if (want == textInput_) return;
        if (want) {
            SDL_StartTextInput();
        } else {
            SDL_StopTextInput();
        }
        textInput_ = want;
    }

    SDL_DisplayMode Desktop() {
        SDL_DisplayMode mode{};
        const int display = std::max(0, SDL_GetWindowDisplayIndex(window_.get()));
        if (SDL_GetDesktopDisplayMode(display, &mode) != 0) mode.w = kWindowWidth, mode.h = kWindowHeight;
        return mode;
    }

    // Declared in the order they are made; the textures below go before their renderers.
    sdl::WindowHandle window_;
    sdl::SurfaceHandle image_;        // the window's picture
    sdl::RendererHandle renderer_;    // draws into it, in memory
    sdl::PictureTable pictures_;
    sdl::TextCache texts_;
    sdl::TextureHandle boardImage_;
    sdl::RendererBoard board_;
    HtmlView help_;
    sdl::SdlAudio audio_;
    sdl::SdlMusic music_{audio_};

    std::deque<InputEvent> input_;
    KeyLatches latches_;
    sdl::Pads pads_;
    bool close_ = false;
    bool shown_ = false;
    bool fullscreen_ = false;
    bool exposed_ = false;  // the screen must get the whole picture again
    bool oversize_ = false;  // larger than the largest monitor, until put back
    bool toldOversize_ = false;
    bool helpChanged_ = false;
    bool textInput_ = true;  // SDL starts with text input on
    bool presentedOnce_ = false;
    WindowView presented_;
    sdl::DirtyRegion changed_;
};

// The player may resize and maximise the window; on a high-DPI display it gets all the
// display's pixels, so that the scaled picture is sharp rather than blown up afterwards.
constexpr Uint32 kWindowFlags = SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;

[[noreturn]] void CannotStart(const char* what) {
    std::cerr << kWindowTitle << ": " << what << ": " << SDL_GetError() << '\n';
    std::exit(1);
}

}  // namespace

std::unique_ptr<Platform> CreateSdlPlatform() {
    sdl::CatchCloseSignals();
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
    // The window's own surface goes straight to the window system: no graphics library
    // is loaded for a picture that only ever changes in small pieces.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER | SDL_INIT_GAMECONTROLLER) != 0)
        CannotStart("cannot reach the display");
    if (!TTF_WasInit() && TTF_Init() != 0) CannotStart("cannot start the text renderer");
    IMG_Init(IMG_INIT_PNG | IMG_INIT_JPG);
    sdl::WindowHandle window(SDL_CreateWindow(kWindowTitle, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                              kWindowWidth, kWindowHeight, kWindowFlags));
    if (!window) CannotStart("cannot open the window");
    SDL_SetWindowMinimumSize(window.get(), kWindowWidth / 4, kWindowHeight / 4);
    // The picture is kept in the window's own pixel format, so that it goes to the
    // window's surface as it is, scaled or not.
    Uint32 format = SDL_GetWindowPixelFormat(window.get());
    if (SDL_BITSPERPIXEL(format) != 32 || SDL_ISPIXELFORMAT_INDEXED(format)) format = SDL_PIXELFORMAT_RGB888;
    sdl::SurfaceHandle image(SDL_CreateRGBSurfaceWithFormat(0, kWindowWidth, kWindowHeight, 32, format));
    if (!image) CannotStart("cannot hold the window's picture");
    sdl::RendererHandle renderer(SDL_CreateSoftwareRenderer(image.get()));
    if (!renderer) CannotStart("cannot draw the window's picture");
    return std::make_unique<SdlPlatform>(std::move(window), std::move(image), std::move(renderer));
}

}  // namespace tk

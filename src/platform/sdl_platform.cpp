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
// the window, only where something changed; the changed pieces then go to the screen. At
// its own size the window takes them as they are, without any graphics library; scaled
// (full screen, or a window resized or on a high-DPI display) a renderer of the screen
// stretches the picture over it.
class SdlPlatform : public Platform {
public:
    SdlPlatform(sdl::WindowHandle window, sdl::SurfaceHandle image, sdl::RendererHandle renderer)
        : window_(std::move(window)), image_(std::move(image)), renderer_(std::move(renderer)),
          pictures_(renderer_.get()), texts_(renderer_.get()),
          board_(renderer_.get(), pictures_, [this] { return BoardImage(); }) {}

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
        help_.LoadOrSayMissing(path, look::kHelp.width, view.missingText);
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
        // A window at its own size takes the picture as it is; over the whole desktop
        // a renderer of the screen stretches it.
        if (!on) screen_.reset();
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
                    break;
                case SDL_RENDER_TARGETS_RESET:
                case SDL_RENDER_DEVICE_RESET:
                    // Only the screen's renderer can lose its textures; the picture of the
                    // window is safe in memory and goes up again whole.
                    screen_.reset();
                    exposed_ = true;
                    break;
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
        if (!shown_) return;
        if (AtOwnSize()) {
            // Back at its own size the window takes the picture as it is again.
            screen_.reset();
            SDL_Surface* surface = SDL_GetWindowSurface(window_.get());
            if (surface && surface->w == kWindowWidth && surface->h == kWindowHeight) {
                for (SDL_Rect area : areas) SDL_BlitSurface(image_.get(), &area, surface, &area);
                SDL_UpdateWindowSurfaceRects(window_.get(), areas.data(), static_cast<int>(areas.size()));
                return;
            }
        }
        ScaledToScreen(areas);
    }

    // Only a window of exactly the picture's size in pixels shows it unscaled: not full
    // screen, not a window the player resized or maximised, not a window on a high-DPI
    // display that has more pixels than points.
    bool AtOwnSize() {
        if (fullscreen_) return false;
        int w = 0, h = 0;
        SDL_GetWindowSizeInPixels(window_.get(), &w, &h);
        return w == kWindowWidth && h == kWindowHeight;
    }

    // Full screen or a window of another size: the picture of the window as a texture of
    // the screen's renderer, scaled to fit with its shape kept, between black bars.
    void ScaledToScreen(std::vector<SDL_Rect> areas) {
        if (!screen_) {
            screen_ = std::make_unique<Screen>();
            screen_->renderer.reset(SDL_CreateRenderer(window_.get(), -1, SDL_RENDERER_ACCELERATED));
            if (!screen_->renderer) screen_->renderer.reset(SDL_CreateRenderer(window_.get(), -1, 0));
            if (!screen_->renderer) {
                screen_.reset();
                return;
            }
            screen_->texture.reset(SDL_CreateTexture(screen_->renderer.get(), SDL_PIXELFORMAT_ARGB8888,
                                                     SDL_TEXTUREACCESS_STREAMING, kWindowWidth, kWindowHeight));
            areas.assign(1, sdl::kWholeWindow);
        }
        if (!screen_->texture) return;
        for (const SDL_Rect& area : areas) {
            const auto* pixels = static_cast<const std::uint8_t*>(image_->pixels) + area.y * image_->pitch + area.x * 4;
            SDL_UpdateTexture(screen_->texture.get(), &area, pixels, image_->pitch);
        }
        SDL_Renderer* r = screen_->renderer.get();
        int w = 0, h = 0;
        SDL_GetRendererOutputSize(r, &w, &h);
        const PictureFit fit = FitPicture(w, h);
        // Whole multiples copy pixels; any other scale blends them, so that no row or
        // column of the picture comes out thicker than its neighbours.
        SDL_SetTextureScaleMode(screen_->texture.get(), fit.wholeMultiple ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
        const SDL_Rect onScreen{fit.left, fit.top, fit.width, fit.height};
        SDL_SetRenderDrawColor(r, 0, 0, 0, 255);
        SDL_RenderClear(r);
        SDL_RenderCopy(r, screen_->texture.get(), nullptr, &onScreen);
        SDL_RenderPresent(r);
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

    struct Screen {
        sdl::RendererHandle renderer;
        sdl::TextureHandle texture;  // declared after its renderer: it goes first
    };

    // Declared in the order they are made; the textures below go before their renderers.
    sdl::WindowHandle window_;
    sdl::SurfaceHandle image_;        // the window's picture
    sdl::RendererHandle renderer_;    // draws into it, in memory
    std::unique_ptr<Screen> screen_;  // only while the picture is scaled
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
    sdl::SurfaceHandle image(
        SDL_CreateRGBSurfaceWithFormat(0, kWindowWidth, kWindowHeight, 32, SDL_PIXELFORMAT_ARGB8888));
    if (!image) CannotStart("cannot hold the window's picture");
    sdl::RendererHandle renderer(SDL_CreateSoftwareRenderer(image.get()));
    if (!renderer) CannotStart("cannot draw the window's picture");
    return std::make_unique<SdlPlatform>(std::move(window), std::move(image), std::move(renderer));
}

}  // namespace tk

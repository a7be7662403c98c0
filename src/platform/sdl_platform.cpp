// The real platform on SDL2: one window, keys, the board picture, the composed window, sound and music.
#include <SDL.h>
#include <SDL_image.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <deque>
#include <iostream>
#include <string>
#include <vector>

#include "platform/fonts.h"
#include "platform/html_view.h"
#include "platform/picture_fit.h"
#include "platform/platform.h"
#include "platform/pointer_shown.h"
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
        SDL_GetWindowPosition(window_.get(), &normal_.left, &normal_.top);
        beforeLastChange_ = normal_;
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
            ShowPointer(now);
            if (now >= deadline) return;
            // The pointer goes by itself while nothing else happens, and so does a quiet sound device.
            const std::uint64_t quietAt = std::max(now + 1, audio_.LetGoWhenQuiet(now));
            const std::uint64_t left = std::min({deadline, std::max(now + 1, pointerShown_.HidesAt()), quietAt}) - now;
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

    std::optional<InputEvent> LookAtPointer() override {
        Pump();
        return pointer_.Look();
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

    void Prepare(const PlayView& play) override { sdl::PrepareText(play, texts_); }

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
    int LevelBoxCaretAt(const LevelBoxView& box, int x) override { return sdl::LevelBoxCaretAt(box, x); }

    int DesktopWidth() override { return Desktop().w; }
    int DesktopHeight() override { return Desktop().h; }

    void SetFullscreen(bool on) override {
        if (on) {
            // Full screen at the desktop's own resolution; the logical size scales and
            // letter-boxes the picture, and the user's display mode stays as it is.
            SDL_SetWindowFullscreen(window_.get(), SDL_WINDOW_FULLSCREEN_DESKTOP);
        } else {
            SDL_SetWindowFullscreen(window_.get(), 0);
        }
        fullscreen_ = on;
        exposed_ = true;
        // Back in a window as it stood: maximised again, or at its place and size (which not
        // every video driver keeps through full screen).
        if (on) return;
        if (!normal_.maximised) {
            PlaceWindow(normal_);
        } else if (!(SDL_GetWindowFlags(window_.get()) & SDL_WINDOW_MAXIMIZED)) {
            SDL_MaximizeWindow(window_.get());
        }
    }

    WindowPlacement Placement() override {
        Remember();
        return normal_;
    }

    void PlaceWindow(const WindowPlacement& placement) override {
        normal_ = OntoAMonitor(placement, Monitors());
        SDL_Window* w = window_.get();
        if (!fullscreen_ && (SDL_GetWindowFlags(w) & SDL_WINDOW_MAXIMIZED)) SDL_RestoreWindow(w);
        // In full screen SDL keeps these for when it is left. Before the window shows, the
        // window manager takes the place as the frame's; once it has shown, SDL takes the
        // picture area's and puts the frame around it.
        SDL_SetWindowSize(w, normal_.width, normal_.height);
        const Frame frame = shown_ ? frame_ : Frame{};
        SDL_SetWindowPosition(w, normal_.left + frame.left, normal_.top + frame.top);
        if (!fullscreen_ && normal_.maximised) SDL_MaximizeWindow(w);
        exposed_ = true;
    }

    PictureHandle LoadPicture(const std::string& path) override { return pictures_.LoadFile(path); }
    PictureHandle LoadPicture(const unsigned char* data, std::size_t size) override {
        return pictures_.LoadMemory(data, size);
    }
    void FreePicture(PictureHandle picture) override { pictures_.Dispose(picture); }
    BoardSurface& Board() override { return board_; }

    bool PlaySound(const std::string& path) override { return audio_.PlayEffect(path); }
    MusicPlayer& Music() override { return music_; }

    ClipboardCopy SetClipboardText(const std::string& text) override {
        if (SDL_SetClipboardText(text.c_str()) == 0) return ClipboardCopy::Done;
        Warn(std::string("cannot copy to the clipboard: ") + SDL_GetError());
        return ClipboardCopy::Refused;
    }

private:
    // Moves what SDL has queued into the game's own queue and latches; true when a key
    // or typed text arrived.
    bool Pump() {
        bool arrived = false;
        if (sdl::CloseSignalled()) close_ = true;
        // A pass looks at several keys, and each look asks for what arrived: the window
        // system is read once a millisecond, the controllers and SDL's own queue (where
        // signals and pushed events land) every time.
        const std::uint64_t now = SDL_GetTicks64();
        if (now != pumpedAt_) {
            SDL_PumpEvents();
            pumpedAt_ = now;
        } else if (pads_.Any()) {
            SDL_GameControllerUpdate();
        }
        SDL_Event e;
        while (SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) {
            switch (e.type) {
                case SDL_KEYDOWN: {
                    const Key key = sdl::KeyFromSdl(e.key.keysym);
                    if (key == Key::None) break;
                    latches_.Press(key);
                    input_.push_back({InputEvent::Kind::Key, key, sdl::ModifiersFromSdl(e.key.keysym.mod), {}});
                    pointerShown_.KeyUsed();
                    ShowPointer(Now());
                    arrived = true;
                    break;
                }
                case SDL_MOUSEMOTION:
                    arrived |= TakePointer(InputEvent::Kind::PointerMove, e.motion.x, e.motion.y);
                    break;
                case SDL_MOUSEBUTTONDOWN: {
                    const PointerButton button = e.button.button == SDL_BUTTON_RIGHT    ? PointerButton::Right
                                                 : e.button.button == SDL_BUTTON_MIDDLE ? PointerButton::Middle
                                                                                        : PointerButton::Left;
                    arrived |= TakePointer(InputEvent::Kind::PointerDown, e.button.x, e.button.y, button);
                    break;
                }
                case SDL_MOUSEWHEEL: {
                    const int steps = e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y;
                    if (steps != 0)
                        arrived |= TakePointer(InputEvent::Kind::Wheel, e.wheel.mouseX, e.wheel.mouseY,
                                               PointerButton::Left, steps);
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
                    if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST || e.window.event == SDL_WINDOWEVENT_MINIMIZED ||
                        e.window.event == SDL_WINDOWEVENT_HIDDEN) {
                        input_.push_back(InputEvent::Of(e.window.event == SDL_WINDOWEVENT_FOCUS_LOST
                                                            ? InputEvent::Kind::FocusLost
                                                            : InputEvent::Kind::Minimised));
                        arrived = true;
                    }
                    if (e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) KeepWithinTheLargestMonitor();
                    Remember();
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

    // The pointer at (x, y) in the window's points, as a point of the 800 × 600 picture
    // wherever the picture stands; over the black bars it is dropped. True when queued.
    bool TakePointer(InputEvent::Kind kind, int x, int y, PointerButton button = PointerButton::Left, int steps = 0) {
        pointerShown_.Moved(Now());
        ShowPointer(Now());
        int pointsW = 0, pointsH = 0, pixelsW = 0, pixelsH = 0;
        SDL_GetWindowSize(window_.get(), &pointsW, &pointsH);
        SDL_GetWindowSizeInPixels(window_.get(), &pixelsW, &pixelsH);
        if (pointsW <= 0 || pointsH <= 0) return false;
        // On a high-DPI display a point may be several pixels.
        x = static_cast<int>(static_cast<long long>(x) * pixelsW / pointsW);
        y = static_cast<int>(static_cast<long long>(y) * pixelsH / pointsH);
        int pictureX = 0, pictureY = 0;
        if (!PicturePointAt(FitPicture(pixelsW, pixelsH), x, y, pictureX, pictureY)) return false;
        const InputEvent event = InputEvent::Pointer(kind, pictureX, pictureY, button, steps);
        pointer_.Take(event);
        input_.push_back(event);
        return true;
    }

    void ShowPointer(std::uint64_t now) {
        const int want = pointerShown_.Shown(now) ? SDL_ENABLE : SDL_DISABLE;
        if (SDL_ShowCursor(SDL_QUERY) != want) SDL_ShowCursor(want);
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

    // The window's placement outside full screen, as it stands now (its place is the
    // frame's, as the window manager places a window that is not yet shown). A maximised window
    // keeps the place and size it had before; the window manager may tell of the new size
    // before it tells that the window is maximised, so that size is taken back then.
    void Remember() {
        if (fullscreen_ || !shown_) return;
        SDL_Window* w = window_.get();
        const Uint32 flags = SDL_GetWindowFlags(w);
        if (flags & (SDL_WINDOW_MINIMIZED | SDL_WINDOW_FULLSCREEN)) return;
        if (flags & SDL_WINDOW_MAXIMIZED) {
            int width = 0, height = 0;
            SDL_GetWindowSize(w, &width, &height);
            if (!normal_.maximised && normal_.width == width && normal_.height == height) normal_ = beforeLastChange_;
            normal_.maximised = true;
            return;
        }
        WindowPlacement now;
        SDL_GetWindowPosition(w, &now.left, &now.top);
        SDL_GetWindowSize(w, &now.width, &now.height);
        if (SDL_GetWindowBordersSize(w, &frame_.top, &frame_.left, nullptr, nullptr) != 0) frame_ = {};
        now.left -= frame_.left;
        now.top -= frame_.top;
        if (now == normal_) return;
        if (!normal_.maximised) beforeLastChange_ = normal_;
        normal_ = now;
    }

    std::vector<ScreenArea> Monitors() const {
        std::vector<ScreenArea> monitors;
        for (int d = 0; d < SDL_GetNumVideoDisplays(); ++d) {
            SDL_Rect bounds{};
            if (SDL_GetDisplayBounds(d, &bounds) == 0) monitors.push_back({bounds.x, bounds.y, bounds.w, bounds.h});
        }
        return monitors;
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
    // The sound goes last: SDL's wait for the device to let go runs while the window goes.
    sdl::SdlAudio audio_;
    sdl::SdlMusic music_{audio_};
    sdl::WindowHandle window_;
    sdl::SurfaceHandle image_;        // the window's picture
    sdl::RendererHandle renderer_;    // draws into it, in memory
    sdl::PictureTable pictures_;
    sdl::TextCache texts_;
    sdl::TextureHandle boardImage_;
    sdl::RendererBoard board_;
    HtmlView help_;

    std::deque<InputEvent> input_;
    KeyLatches latches_;
    PointerLatch pointer_;
    PointerShown pointerShown_;
    sdl::Pads pads_;
    bool close_ = false;
    std::uint64_t pumpedAt_ = UINT64_MAX;
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
    WindowPlacement normal_, beforeLastChange_;  // outside full screen; the one before the last change
    // The window manager's frame: how far the picture area lies inside it (last seen in a window).
    struct Frame {
        int left = 0, top = 0;
    } frame_;
};

// The player may resize and maximise the window; on a high-DPI display it gets all the
// display's pixels, so that the scaled picture is sharp rather than blown up afterwards.
constexpr Uint32 kWindowFlags = SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;

// The video drivers for the displays the environment names, then the console's.
std::string DisplayDrivers() {
    std::string drivers;
    const auto set = [](const char* variable) {
        const char* value = SDL_getenv(variable);
        return value && *value;
    };
    if (set("DISPLAY")) drivers += "x11,";
    if (set("WAYLAND_DISPLAY")) drivers += "wayland,";
    return drivers + "KMSDRM";
}

// "DISPLAY is :0", "WAYLAND_DISPLAY is not set".
std::string Named(const char* variable) {
    const char* value = SDL_getenv(variable);
    return std::string(variable) + (value && *value ? " is " + std::string(value) : " is not set");
}

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
    // Without a display SDL would fall back on a window nobody sees, and the game would run
    // on unseen: unless a driver is asked for by name (the tests' dummy one), only those of a
    // display the environment names are tried, and the console's.
    const char* asked = SDL_getenv("SDL_VIDEODRIVER");
    const bool chosen = asked && *asked;
    if (!chosen) SDL_SetHint(SDL_HINT_VIDEODRIVER, DisplayDrivers().c_str());
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER | SDL_INIT_GAMECONTROLLER) != 0) {
        if (chosen) CannotStart("cannot reach the display");
        std::cerr << kWindowTitle << ": cannot reach the display: no X11 or Wayland display could be opened ("
                  << Named("DISPLAY") << ", " << Named("WAYLAND_DISPLAY") << ")\n";
        std::exit(1);
    }
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

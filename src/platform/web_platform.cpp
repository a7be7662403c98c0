// The platform in a web page: each call goes to the page's scripts through web_page.h; the
// page holds the pictures, the board's image, the canvas, the sounds and the player's files.
#include "platform/web_platform.h"

#include <cmath>
#include <deque>
#include <filesystem>

#include "platform/pointer_shown.h"
#include "platform/web_page.h"
#include "platform/web_pads.h"
#include "platform/web_window.h"
#include "platform/window_look.h"

namespace tk {
namespace {

// The page's names of the game's keys (web/js/input.js), in the order of Key.
constexpr const char* kKeyNames[] = {"Back",  "Return", "Shift",    "Control", "Alt",   "Escape",
                                     "Space", "PageUp", "PageDown", "End",     "Home",  "Left",
                                     "Up",    "Right",  "Down",     "Delete"};
static_assert(std::size(kKeyNames) == static_cast<int>(Key::A) - 1);

// What the page queues (TkPageEvent::kind).
enum PageEvent : std::int32_t {
    kKeyDown = 1, kKeyUp = 2, kText = 3, kClose = 4, kFocusLost = 5, kHidden = 7,
    kPointerDown = 9, kPointerMoved = 11, kWheel = 13, kCopied = 18,
};

class WebBoard : public BoardSurface {
public:
    void DrawCell(int x, int y, const Layers& l) override {
        tk_board_cell(x, y, static_cast<int>(l.background), static_cast<int>(l.underlay), static_cast<int>(l.piece));
    }
    void DrawSprite(PictureHandle picture, float left, float top) override {
        tk_board_sprite(static_cast<int>(picture), left, top);
    }
    void DrawTurned(PictureHandle picture, int x, int y, float degrees) override {
        tk_board_turned(static_cast<int>(picture), x, y, degrees);
    }
    void DrawCover(PictureHandle picture) override { tk_board_cover(static_cast<int>(picture)); }
};

// The music streams from the site in the page's audio element; the page starts it at the
// player's first key, as browsers allow.
class WebMusic : public MusicPlayer {
public:
    bool OpenDevice() override { return open_ = tk_sound_device() != 0; }
    void CloseDevice() override {
        Stop();
        open_ = false;
    }
    bool Play(const std::string& path) override { return open_ && tk_music_play(path.c_str()) != 0; }
    void Stop() override { tk_music_stop(); }

private:
    bool open_ = false;
};

class WebPlatform : public Platform {
public:
    WebPlatform() {
        for (int k = 1; k < kKeyCount; ++k) {
            const std::string name = k < static_cast<int>(Key::A)
                                         ? kKeyNames[k - 1]
                                         : std::string(1, static_cast<char>('A' + k - static_cast<int>(Key::A)));
            tk_input_define_key(name.c_str(), k);
        }
        // The pointer shows at first, and goes as it would after standing still.
        tk_input_pointer_shown(1, static_cast<double>(pointerShown_.HidesAt()));
    }

    // Where the page lays the game's data (web/js/files.js), read-only as an install's.
    std::string ProgramFolder() override { return "/game"; }
    std::string UserConfigHome() override {
        char home[256];
        const int length = tk_config_home(home, sizeof home);
        return length > 0 && length < static_cast<int>(sizeof home) ? std::string(home, length) : std::string();
    }

    std::uint64_t Now() override { return static_cast<std::uint64_t>(std::floor(tk_now())); }

    void WaitUntil(std::uint64_t deadline, bool wakeOnInput) override {
        Pump();
        // Asked to close, a wait without a deadline does not wait at all.
        if (close_ && deadline == kNoDeadline) deadline = Now();
        tk_wake(deadline == kNoDeadline ? INFINITY : static_cast<double>(deadline), wakeOnInput ? 1 : 0);
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
        const bool held = key != Key::None && key < Key::Count && (held_[static_cast<int>(key)] || pads_.Holds(key));
        return latches_.Look(key, held);
    }

    void ShowWindow() override {}
    // The page puts the start-up picture up itself as soon as it has come, while the program
    // still loads.
    std::optional<std::uint64_t> StartupPictureShownAt() override {
        const double at = tk_startup_shown_at();
        if (!(at >= 0)) return std::nullopt;
        return static_cast<std::uint64_t>(std::floor(at));
    }

    void Present(const WindowView& view) override {
        // Typed text only while the level box shows, as on the desktop.
        textInput_ = view.levelBox.shown;
        if (presentedOnce_ && view == presented_ && helpMissing_ == presentedHelpMissing_) return;
        web::PaintWindow(view, helpMissing_);
        presented_ = view;
        presentedHelpMissing_ = helpMissing_;
        presentedOnce_ = true;
    }

    // The page renders text as it draws it; nothing is kept to make ready.
    void Prepare(const PlayView&) override {}

    void Warn(const std::string& line) override { tk_page_warn((std::string(kWindowTitle) + ": " + line).c_str()); }

    bool CanDrawText() override { return tk_text_ready() != 0; }

    void LoadHelpPage(HelpView& view, const std::string& path) override {
        view.page = path;
        view.scrollY = 0;
        std::error_code ec;
        helpMissing_ = !std::filesystem::is_regular_file(path, ec);
    }

    int HelpPageHeight() override { return tk_help_height(); }
    int LevelBoxCaretAt(const LevelBoxView& box, int x) override {
        const Box& b = look::kLevelBox;
        const TextLook t = look::LevelBoxText();
        return tk_level_box_caret_at(box.text.c_str(), box.caret, b.left, b.top, b.width, b.height, t.points,
                                     t.bold ? 1 : 0, x);
    }

    int DesktopWidth() override { return tk_display_width(); }
    int DesktopHeight() override { return tk_display_height(); }
    void SetFullscreen(bool on) override { tk_display_fullscreen(on ? 1 : 0); }
    // The window is the page's: it stands where the page puts it, so Placement and
    // PlaceWindow keep the defaults.

    PictureHandle LoadPicture(const std::string& path) override {
        return static_cast<PictureHandle>(tk_picture_load_file(path.c_str()));
    }
    PictureHandle LoadPicture(const unsigned char* data, std::size_t size) override {
        return static_cast<PictureHandle>(tk_picture_load_bytes(data, static_cast<int>(size)));
    }
    void FreePicture(PictureHandle picture) override {
        if (picture) tk_picture_free(static_cast<int>(picture));
    }
    BoardSurface& Board() override { return board_; }

    bool PlaySound(const std::string& path) override { return tk_sound_play(path.c_str()) != 0; }
    MusicPlayer& Music() override { return music_; }

    std::optional<InputEvent> LookAtPointer() override {
        Pump();
        return pointer_.Look();
    }

    std::int64_t UtcSeconds() override { return static_cast<std::int64_t>(tk_utc_seconds()); }
    // The page copies at once where the browser lets it, else asks the browser's clipboard,
    // whose answer comes as input (web/js/page.js).
    ClipboardCopy SetClipboardText(const std::string& text) override {
        copyAnswer_.reset();
        const int copy = tk_clipboard_write(text.c_str());
        if (copy == 1) return ClipboardCopy::Done;
        if (copy == 2) return ClipboardCopy::Asked;
        Warn("cannot copy to the clipboard: the browser did not allow it");
        return ClipboardCopy::Refused;
    }
    std::optional<bool> CopyAnswer() override {
        Pump();
        const std::optional<bool> answer = copyAnswer_;
        copyAnswer_.reset();
        return answer;
    }

private:
    // Moves what the page has queued into the game's own queue and latches.
    void Pump() {
        TkPageEvent e{};
        while (tk_input_next(&e)) {
            const Key key = e.key > 0 && e.key < kKeyCount ? static_cast<Key>(e.key) : Key::None;
            switch (e.kind) {
                case kKeyDown:
                    if (key == Key::None) break;
                    latches_.Press(key);
                    held_[static_cast<int>(key)] = true;
                    input_.push_back({InputEvent::Kind::Key, key, e.modifiers, {}});
                    // A key hides the pointer at once, so it never stands over the board.
                    pointerShown_.KeyUsed();
                    tk_input_pointer_shown(0, 0);
                    break;
                case kKeyUp: held_[static_cast<int>(key)] = false; break;
                case kText:
                    if (textInput_) input_.push_back({InputEvent::Kind::Text, Key::None, 0, e.text});
                    break;
                case kClose: close_ = true; break;
                case kCopied: copyAnswer_ = e.steps != 0; break;
                // The page lets go of held keys itself when it loses the keyboard.
                case kFocusLost: input_.push_back(InputEvent::Of(InputEvent::Kind::FocusLost)); break;
                case kHidden: input_.push_back(InputEvent::Of(InputEvent::Kind::Minimised)); break;
                case kPointerDown:
                    TakePointer(InputEvent::Pointer(InputEvent::Kind::PointerDown, e.x, e.y,
                                                    e.button == 2   ? PointerButton::Right
                                                    : e.button == 1 ? PointerButton::Middle
                                                                    : PointerButton::Left));
                    break;
                case kPointerMoved: TakePointer(InputEvent::Pointer(InputEvent::Kind::PointerMove, e.x, e.y)); break;
                case kWheel:
                    if (e.steps != 0)
                        TakePointer(InputEvent::Pointer(InputEvent::Kind::Wheel, e.x, e.y, PointerButton::Left, e.steps));
                    break;
                // A controller's buttons arrive as the keys they stand for.
                case web::kPadDown:
                case web::kPadUp:
                case web::kPadStick:
                case web::kPadGone: pads_.Take(e, latches_, input_); break;
                // The rest (focus back, the page shown again, a button let go, full screen
                // left by the browser's own means) the game has no use for.
                default: break;
            }
        }
    }

    // Pixels of the 800 × 600 picture already: the page maps the canvas however it is scaled.
    void TakePointer(const InputEvent& event) {
        pointerShown_.Moved(Now());
        tk_input_pointer_shown(1, static_cast<double>(pointerShown_.HidesAt()));
        pointer_.Take(event);
        input_.push_back(event);
    }

    WebBoard board_;
    WebMusic music_;
    web::Pads pads_;
    std::deque<InputEvent> input_;
    KeyLatches latches_;
    PointerLatch pointer_;
    PointerShown pointerShown_;
    bool held_[kKeyCount] = {};
    bool close_ = false;
    std::optional<bool> copyAnswer_;  // the browser's clipboard answered the last copy
    bool textInput_ = true;  // until a view without the level box, as on the desktop
    bool helpMissing_ = false;
    bool presentedHelpMissing_ = false;
    bool presentedOnce_ = false;
    WindowView presented_;
};

}  // namespace

std::unique_ptr<Platform> CreateWebPlatform() { return std::make_unique<WebPlatform>(); }

}  // namespace tk

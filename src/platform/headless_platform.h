// The headless twin of the platform: no display, no sound card, a virtual clock, scripted
// keys, and a record of everything the game showed, played and asked for. The board is
// painted on an SDL software renderer over an in-memory surface, so painted pixels can be
// checked, and the window is composed on demand the way the real one is.
//
// How time moves: the clock starts at 0 and moves only in WaitUntil, to the deadline or to
// the scripted event that ends the wait, whichever comes first. Scripted events take effect
// as the clock reaches them, in time order: key state, key latches, controller buttons,
// typed text, the pointer, focus, close requests and At actions. Key-downs and typed text then wait for NextInput.
// As on the real window, typed text is taken only while the last view presented shows the
// level box (or before the first), and sounds only with a sound device.
//
// How a run ends: with closeWhenScriptEnds, a close request comes once nothing scripted is
// left and the game waits for input with no deadline. In any case a game that runs on for
// 10 virtual minutes past the end of its script is asked to close, so that no test can run
// for ever.
//
// What is recorded: "stderr" for every line the game writes to standard error, "notice"
// for every notice that comes on screen, "sound" only for files that exist and with a
// sound device (silence is what the player would hear otherwise), "music.device" for every
// attempt to open the sound device, "music.play" with the file for music that plays,
// "music.stop", "music.close", "display" "fullscreen" or "window", "place"
// "left,top,width,height" (and ",maximised") in pixels for each placement the game asks
// for, "present" each time the picture on screen changed, "clipboard" with the text copied,
// "file.write", "file.remove" and "file.aside" with the path for every change to the
// player's files.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/pad_keys.h"
#include "platform/platform.h"

namespace tk {

struct Rgba {
    std::uint8_t r = 0, g = 0, b = 0, a = 0;
    friend bool operator==(const Rgba&, const Rgba&) = default;
};

// Told, when a twin goes, of the actions scheduled with At that never ran: a check the
// scenario never reached checked nothing. The test programs set it to fail the test; left
// unset, the twin says so on standard error.
inline void (*unrunActionsReporter)(const std::string& what) = nullptr;

struct HeadlessOptions {
    std::string programFolder;        // where levels/, graphics/, ... and options.txt lie
    std::string userConfigHome{};     // the player's $XDG_CONFIG_HOME; empty: none
    int desktopWidth = 1920;
    int desktopHeight = 1080;
    // The monitors that make up the desktop; none: one monitor of the desktop's size at 0, 0.
    std::vector<ScreenArea> monitors{};
    bool audioDevicePresent = true;   // false: no sound device, silence
    bool drawBoard = true;            // false: board painting is skipped (fast play-throughs)
    bool closeWhenScriptEnds = true;  // a close request once every scripted event has run
    bool fontsInstalled = true;       // false: the machine has no font for the window's text
    // Virtual time each painting on the board takes, as on a slow machine: a pause that
    // counts from the moment its picture is on screen is told from one that does not.
    std::uint64_t paintMs = 0;
    // The calendar clock when the virtual clock is at 0, in seconds since 1970-01-01
    // 00:00 UTC (it then moves with the virtual clock); by default 2025-06-12 09:30 UTC.
    std::int64_t utcSecondsAtStart = 1749720600;
    // The clipboard answers a copy later, as a page's may: this answer comes as input 10 ms
    // after the copy was asked for. None: it takes the line at once.
    std::optional<bool> clipboardAnswersLater{};
};

// What the game did, in order, with the virtual time at which it happened.
struct Recorded {
    std::uint64_t at = 0;
    std::string what;    // "sound", "notice", "display", "move", "music.play", ...
    std::string detail;  // sound name, message text, "fullscreen", path, ...
};

class HeadlessPlatform : public Platform {
public:
    explicit HeadlessPlatform(HeadlessOptions options);
    ~HeadlessPlatform() override;

    // ---- the script (virtual ms since the program started) ------------------
    // A key pressed at `at` and released `holdMs` later: a key-down for the game's
    // handler (auto-repeat is not simulated) and a down state for polling.
    void Press(std::uint64_t at, Key key, int modifiers = 0, std::uint64_t holdMs = 30);
    void KeyDown(std::uint64_t at, Key key, int modifiers = 0);  // held until KeyUp
    void KeyUp(std::uint64_t at, Key key);
    void Type(std::uint64_t at, const std::string& utf8);       // text for the text box
    void Close(std::uint64_t at);                                // a close request
    // The pointer, in pixels of the 800 × 600 window: moved there, a button pressed there,
    // the wheel turned there (steps > 0 away from the player).
    void Move(std::uint64_t at, int x, int y);
    void Click(std::uint64_t at, int x, int y, PointerButton button = PointerButton::Left);
    void Wheel(std::uint64_t at, int x, int y, int steps);
    // The window lost the keyboard to another one; the window went down to the task bar.
    void FocusLost(std::uint64_t at);
    void Minimise(std::uint64_t at);
    // Any input the window may report, as it would arrive.
    void Send(std::uint64_t at, InputEvent event);
    // A game controller: a button pressed at `at` and let go `holdMs` later, or held until
    // PadUp; the left stick moved on one axis (-32768..32767); the controller pulled out.
    void PadPress(std::uint64_t at, PadButton button, std::uint64_t holdMs = 30);
    void PadDown(std::uint64_t at, PadButton button);
    void PadUp(std::uint64_t at, PadButton button);
    void PadStick(std::uint64_t at, PadAxis axis, int value);
    void PadUnplug(std::uint64_t at);
    // The player moves, resizes, maximises or restores the window.
    void Arrange(std::uint64_t at, const WindowPlacement& placement);
    // Runs a check or a script step when the virtual clock reaches `at`. An action whose
    // moment the run never reaches is reported when the twin goes (unrunActionsReporter).
    void At(std::uint64_t at, std::function<void()> action);
    // The same for what may well fall after the run ends: a scripted player's next look, or
    // a tripwire that fails the test if the run gets that far.
    void AtIfReached(std::uint64_t at, std::function<void()> action);
    // The moments of the At actions that have not run, for a test that checks them itself
    // (a run in another process); they are forgotten, and nothing is reported for them.
    std::vector<std::uint64_t> TakeUnrunActions();
    // The virtual time of the last scripted event.
    std::uint64_t ScriptEnd() const;

    // ---- what happened -----------------------------------------------------
    const std::vector<Recorded>& Log() const;
    std::vector<std::string> Sounds() const;                 // sound names, in order
    std::vector<Recorded> LogOf(const std::string& what) const;
    int PresentCount() const;  // times the picture on screen changed
    bool Fullscreen() const;
    bool WindowShown() const;
    // The window opens at 800 × 600 in the middle of the desktop, as the real one does.
    // Pixels of the board picture's persistent image (770 × 490).
    Rgba BoardPixel(int x, int y) const;
    // The whole window as it would be on screen now (800 × 600), composed on demand.
    Rgba WindowPixel(int x, int y);
    bool SaveWindowPng(const std::string& path);
    // The view last presented.
    const WindowView& Presented() const;

    // Pixels of a loaded picture, for comparing against what was painted.
    Rgba PicturePixel(PictureHandle image, int x, int y) const;
    int PictureWidth(PictureHandle image) const;
    int PictureHeight(PictureHandle image) const;
    int LivePictures() const;  // pictures loaded and not yet freed

    // ---- Platform -----------------------------------------------------------
    std::string ProgramFolder() override;
    std::string UserConfigHome() override;
    PlayerFiles& Files() override;  // recorded as "file.write", "file.remove", "file.aside"
    std::uint64_t Now() override;
    void WaitUntil(std::uint64_t deadline, bool wakeOnInput) override;
    bool NextInput(InputEvent& event) override;
    bool CloseRequested() override;
    KeyState LookAt(Key key) override;
    std::optional<InputEvent> LookAtPointer() override;
    void ShowWindow() override;
    void Present(const WindowView& view) override;
    void Prepare(const PlayView& play) override;  // recorded as "prepare", with the title
    void Warn(const std::string& line) override;  // recorded as "stderr"
    bool CanDrawText() override;
    void LoadHelpPage(HelpView& view, const std::string& path) override;
    int HelpPageHeight() override;
    int LevelBoxCaretAt(const LevelBoxView& box, int x) override;  // measured as the window draws it
    int DesktopWidth() override;
    int DesktopHeight() override;
    void SetFullscreen(bool on) override;
    WindowPlacement Placement() override;
    void PlaceWindow(const WindowPlacement& placement) override;
    PictureHandle LoadPicture(const std::string& path) override;
    PictureHandle LoadPicture(const unsigned char* data, std::size_t size) override;
    void FreePicture(PictureHandle picture) override;
    BoardSurface& Board() override;
    bool PlaySound(const std::string& path) override;
    MusicPlayer& Music() override;
    std::int64_t UtcSeconds() override;
    ClipboardCopy SetClipboardText(const std::string& text) override;  // recorded as "clipboard"
    std::optional<bool> CopyAnswer() override;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace tk

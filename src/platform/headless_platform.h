// The headless twin of the platform: no display, no sound card, a virtual clock,
// scripted keys, and a record of everything the game showed, played and asked for.
// Board drawing happens on an SDL software renderer over an in-memory surface, so
// painted pixels can be checked.
//
// How time moves: the clock starts at 0 and moves only in Sleep (at once, by the
// whole wait), in WaitEvents (to the next scripted event or timer tick) and when
// the game polls keys in a loop of its own: after 1000 key-state queries with no
// Sleep or DoEvents between them it jumps to the next scripted event. Scripted
// events take effect as the clock reaches them (key state, key latch, At actions,
// in time order); key-downs, typed text and close requests wait for DoEvents.
//
// How a run ends: with closeWhenScriptEnds, a close request comes once nothing
// scripted is left and the game idles (WaitEvents) or polls keys in a loop. In any
// case a game that runs on for 10 virtual minutes past the end of its script is
// asked to close, so that no test can run for ever.
//
// What is recorded: "stderr" for every line written to standard error, "sound" only for files that exist (silence is what the player
// would hear otherwise), "music.open" only for streams that opened; "music.pause"
// has detail "1" or "0", "music.volume" the volume, "move" "left,top" in twips.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace tk {

struct Rgba {
    std::uint8_t r = 0, g = 0, b = 0, a = 0;
    friend bool operator==(const Rgba&, const Rgba&) = default;
};

struct HeadlessOptions {
    std::string programFolder;    // where levels/, graphics/, ... and options.txt lie
    int desktopWidth = 1920;
    int desktopHeight = 1080;
    bool musicLibraryPresent = true;  // false: the library cannot be used at all
    bool audioDevicePresent = true;   // false: the library refuses to start (error 3)
    bool drawBoard = true;            // false: board drawing is skipped (fast play-throughs)
    bool closeWhenScriptEnds = true;  // a close request once every scripted event has run
    bool fontsInstalled = true;       // false: the machine has no font for the labels
};

// What the game did, in order, with the virtual time at which it happened.
struct Recorded {
    std::uint64_t at = 0;
    std::string what;    // "sound", "msgbox", "display", "move", "music.init", "music.open",
                         // "music.play", "music.stop", "music.close", "navigate", "show", ...
    std::string detail;  // sound name, message text, "800x600", path, ...
};

class HeadlessPlatform : public Platform {
public:
    explicit HeadlessPlatform(HeadlessOptions options);
    ~HeadlessPlatform() override;

    // ---- the script (virtual ms since the program started) ------------------
    // A key pressed at `at` and released `holdMs` later: a key-down event for
    // Form_KeyDown (auto-repeat is not simulated) and a down state for polling.
    void Press(std::uint64_t at, int vkCode, int shift = 0, std::uint64_t holdMs = 30);
    void KeyDown(std::uint64_t at, int vkCode, int shift = 0);  // held until KeyUp
    void KeyUp(std::uint64_t at, int vkCode);
    void Type(std::uint64_t at, const std::string& utf8);       // text for the text box
    void Close(std::uint64_t at);                                // a close request
    // Runs a check or a script step when the virtual clock reaches `at`.
    void At(std::uint64_t at, std::function<void()> action);
    // The virtual time of the last scripted event.
    std::uint64_t ScriptEnd() const;

    // ---- what happened -----------------------------------------------------
    const std::vector<Recorded>& Log() const;
    std::vector<std::string> Sounds() const;                 // sound names, in order
    std::vector<Recorded> LogOf(const std::string& what) const;
    int PresentCount() const;
    bool Fullscreen() const;
    bool WindowShown() const;

    // Pixels of picGame's persistent image (770 × 490).
    Rgba GamePixel(int x, int y) const;
    // The whole window as it would be on screen now (800 × 600), composed on demand.
    Rgba WindowPixel(int x, int y);
    bool SaveWindowPng(const std::string& path);

    // Pixels of a loaded picture, for comparing against what was painted.
    Rgba PicturePixel(PictureHandle image, int x, int y) const;
    int PictureWidth(PictureHandle image) const;
    int PictureHeight(PictureHandle image) const;
    int LivePictures() const;  // pictures loaded and not yet disposed

    // ---- Platform -----------------------------------------------------------
    void Attach(Controls& controls, EventSink& sink) override;
    std::string ProgramFolder() override;
    std::uint64_t Now() override;
    void Sleep(int ms) override;
    void DoEvents() override;
    void WaitEvents() override;
    std::int16_t GetAsyncKeyState(int vkCode) override;
    void ShowWindow() override;
    void Repaint() override;
    void PresentGame() override;
    void MsgBox(const std::string& text, const std::string& title, bool critical) override;
    void Warn(const std::string& line) override;  // recorded as "stderr"
    bool CanDrawText() override;
    void Navigate(BrowserView& view, const std::string& path) override;
    int ScreenWidthPixels() override;
    int ScreenHeightPixels() override;
    void ChangeDisplayMode(int width, int height, WindowMode mode) override;
    void MoveWindow(int leftTwips, int topTwips) override;
    std::uint32_t GdiplusStartup(const GdiplusStartupInput& input) override;
    void GdiplusShutdown(std::uint32_t token) override;
    Graphics* GdipCreateFromHDC(PictureBox& box) override;
    void GdipDeleteGraphics(Graphics* graphics) override;
    PictureHandle GdipCreateBitmapFromFile(const std::string& path) override;
    PictureHandle LoadPictureFromMemory(const unsigned char* data, std::size_t size) override;
    void GdipDisposeImage(PictureHandle image) override;
    void PlaySound(const std::string& path) override;
    MusicLibrary& Music() override;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace tk

// The seam between the game and the machine: window, events, time, keys, pictures,
// the board's drawing surface, sound effects, the music library and the display.
// Two implementations: the SDL2 one (sdl_platform.cpp) and the headless twin that the
// tests drive (headless_platform.h). Nothing outside src/platform includes SDL.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/controls.h"

namespace tk {

// Virtual-key codes as the game knows them.
namespace vk {
constexpr int Back = 0x08, Tab = 0x09, Return = 0x0D, Shift = 0x10, Control = 0x11, Menu = 0x12,
              Escape = 0x1B, Space = 0x20, Prior = 0x21, Next = 0x22, End = 0x23, Home = 0x24,
              Left = 0x25, Up = 0x26, Right = 0x27, Down = 0x28, Delete = 0x2E;
constexpr int letter(char c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; }  // 'A'..'Z' -> 0x41..0x5A
}  // namespace vk

// Whether the game's 800 × 600 picture fills the desktop or sits in its window. A state
// of its own: an 800 × 600 desktop asks for the same size either way.
enum class WindowMode { Windowed, FullScreen };

// Modifier mask of a key-down.
namespace shiftmask {
constexpr int Shift = 1, Ctrl = 2, Alt = 4;
}

// What the window delivers to the game. Only DoEvents() calls these.
class EventSink {
public:
    virtual ~EventSink() = default;
    virtual void Form_KeyDown(std::int16_t& KeyCode, std::int16_t& Shift) = 0;
    virtual void Form_MouseDown(int Button, int Shift, float X, float Y) = 0;
    virtual void Timer1_Timer() = 0;
    // The user asked to close the window (title-bar button, Alt+F4, end of a test script).
    virtual void Form_CloseRequest() = 0;
};

// The GDI+ start-up record; only the version is ever set.
struct GdiplusStartupInput {
    std::uint32_t GdiplusVersion = 1;
    std::uintptr_t DebugEventCallback = 0;
    std::int32_t SuppressBackgroundThread = 0;
    std::int32_t SuppressExternalCodecs = 0;
};

// The drawing surface bound to picGame's persistent image. Coordinates are
// floating-point pixels of the board picture. The world transform starts as the
// identity; translate and rotate prepend (a transform added later acts first on
// the points), rotation is in degrees and positive turns clockwise on screen.
class Graphics {
public:
    virtual ~Graphics() = default;
    virtual void SetPageUnit(int unit) = 0;  // 2 = pixels, the only unit used
    // The whole picture scaled into the rectangle, blended by its transparency.
    virtual void DrawImageRect(PictureHandle image, float x, float y, float width, float height) = 0;
    // The source rectangle (picture pixels) into the destination rectangle.
    virtual void DrawImageRectRect(PictureHandle image, float dstX, float dstY, float dstWidth,
                                   float dstHeight, float srcX, float srcY, float srcWidth,
                                   float srcHeight) = 0;
    virtual void TranslateWorldTransform(float dx, float dy) = 0;
    virtual void RotateWorldTransform(float degrees) = 0;
    virtual void ResetWorldTransform() = 0;
};

// The sound library that the music module (mFmod) sits on. Error codes follow the
// music module's table (0 none, 3 "Error initializing output device", ...).
class MusicLibrary {
public:
    virtual ~MusicLibrary() = default;
    // False when the library itself cannot be used; *why then holds the platform's
    // description of the failure.
    virtual bool Available(std::string* why) = 0;
    virtual bool Init(int mixRate, int maxChannels, int flags) = 0;  // false: see GetError
    virtual int GetError() = 0;
    virtual void Close() = 0;
    // Opens a file as a stream (mode 2 loops); 0 on failure.
    virtual std::uintptr_t StreamOpen(const std::string& path, int mode) = 0;
    // Plays from the beginning on the given channel; returns the channel handle (0 on failure).
    virtual std::uintptr_t StreamPlay(int channel, std::uintptr_t stream) = 0;
    virtual void StreamStop(std::uintptr_t stream) = 0;
    virtual bool GetPaused(std::uintptr_t channel) = 0;
    virtual void SetPaused(std::uintptr_t channel, bool paused) = 0;
    virtual void SetVolume(std::uintptr_t channel, int volume) = 0;  // 0..255
};

class Platform {
public:
    virtual ~Platform() = default;

    // The window's elements and the receiver of its events. Called once, before
    // anything else.
    virtual void Attach(Controls& controls, EventSink& sink) = 0;

    // The folder that holds the program, without a trailing separator.
    virtual std::string ProgramFolder() = 0;

    // ---- time and events --------------------------------------------------
    virtual std::uint64_t Now() = 0;  // ms
    // Waits; dispatches nothing. Keys pressed meanwhile are dispatched later, in order.
    virtual void Sleep(int ms) = 0;
    // Lets pending events run: key-downs to Form_KeyDown (then to the text box or
    // help view), a due tick to Timer1_Timer, a close request, repaints.
    virtual void DoEvents() = 0;
    // Idles until something is there for DoEvents (a key, a tick, a close request).
    virtual void WaitEvents() = 0;
    // Nonzero when the key is down now or was pressed since the previous query of
    // that key; the query clears that key's latch. Works without DoEvents.
    virtual std::int16_t GetAsyncKeyState(int vkCode) = 0;
    void EnableTimer(Timer& timer, bool enabled) {
        timer.Enabled = enabled;
        if (enabled) timer.dueAt = Now() + static_cast<std::uint64_t>(timer.Interval);
    }

    // ---- window -----------------------------------------------------------
    virtual void ShowWindow() = 0;
    // Draws the whole window now: picture, labels, board, text box, help view.
    virtual void Repaint() = 0;
    // Puts picGame's persistent image on the screen (its Refresh). Cheap.
    virtual void PresentGame() = 0;
    virtual void MsgBox(const std::string& text, const std::string& title, bool critical) = 0;
    // One line on standard error for whoever started the game: a file that is missing,
    // a choice that cannot be saved. Nothing is shown in the window.
    virtual void Warn(const std::string& line) = 0;
    // True when a font for the labels and the text box can be found on this machine.
    virtual bool CanDrawText() = 0;
    // The help view shows the page at this path (an empty page if it cannot be read).
    virtual void Navigate(BrowserView& view, const std::string& path) = 0;

    // ---- screen and display mode -------------------------------------------
    virtual int ScreenWidthPixels() = 0;   // the desktop, as the user has it
    virtual int ScreenHeightPixels() = 0;
    virtual int TwipsPerPixelX() { return 15; }
    virtual int TwipsPerPixelY() { return 15; }
    // The display size the game asks for, and whether the picture fills the desktop
    // (scaled and letter-boxed) or shows in the 800 × 600 window, centred. The real
    // display mode is never changed, so the size only goes on record.
    virtual void ChangeDisplayMode(int width, int height, WindowMode mode) = 0;
    virtual void MoveWindow(int leftTwips, int topTwips) = 0;

    // ---- pictures and the board's drawing surface (GDI+) --------------------
    virtual std::uint32_t GdiplusStartup(const GdiplusStartupInput& input) = 0;
    virtual void GdiplusShutdown(std::uint32_t token) = 0;
    virtual Graphics* GdipCreateFromHDC(PictureBox& box) = 0;  // owned by the platform
    virtual void GdipDeleteGraphics(Graphics* graphics) = 0;
    virtual PictureHandle GdipCreateBitmapFromFile(const std::string& path) = 0;  // 0 if unreadable
    virtual PictureHandle LoadPictureFromMemory(const unsigned char* data, std::size_t size) = 0;
    virtual void GdipDisposeImage(PictureHandle image) = 0;

    // ---- sound --------------------------------------------------------------
    // Plays a WAV file asynchronously on the one effects channel, cutting off the
    // effect still playing; silent when the file is missing or there is no device.
    virtual void PlaySound(const std::string& path) = 0;
    virtual MusicLibrary& Music() = 0;
};

// The real thing: an SDL2 window, SDL_mixer sound, SDL_ttf text.
std::unique_ptr<Platform> CreateSdlPlatform();

}  // namespace tk

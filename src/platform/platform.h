// The seam between the game and the machine, shaped by what the game does: wait for time or
// input, look at keys, put the window on screen, paint the board, play sounds and music,
// switch full screen, read the calendar, copy a line to the clipboard. Two implementations:
// the SDL2 window (CreateSdlPlatform) and the headless twin that the tests drive
// (headless_platform.h). Nothing outside src/platform includes SDL.
#pragma once

#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <string>

#include "platform/input.h"
#include "platform/keys.h"
#include "platform/player_files.h"
#include "platform/window_placement.h"
#include "platform/window_view.h"

namespace tk {

inline constexpr std::uint64_t kNoDeadline = std::numeric_limits<std::uint64_t>::max();

// What became of a line put on the clipboard: there, refused, or asked for where the answer
// comes later (Platform::CopyAnswer).
enum class ClipboardCopy { Done, Refused, Asked };

// The board picture's persistent image: everything painted stays until painted over.
// Coordinates are pixels of the board (770 × 490); every picture is scaled to 70 × 70
// (the outcome pictures to the whole board) and blended by its own transparency.
class BoardSurface {
public:
    struct Layers {
        PictureHandle background = 0;  // the cell shows its own 70 × 70 piece of it
        PictureHandle underlay = 0;
        PictureHandle piece = 0;
    };
    virtual ~BoardSurface() = default;
    // Paints cell (x, y) of the play area: the background piece, the underlay, the piece.
    virtual void DrawCell(int x, int y, const Layers& layers) = 0;
    // A picture with its top left corner at a board pixel (the figure between two cells).
    virtual void DrawSprite(PictureHandle picture, float left, float top) = 0;
    // A picture turned about the centre of cell (x, y); positive degrees turn clockwise.
    virtual void DrawTurned(PictureHandle picture, int x, int y, float degrees) = 0;
    // A picture over the whole board.
    virtual void DrawCover(PictureHandle picture) = 0;
};

// The one piece of music, played over and over.
class MusicPlayer {
public:
    virtual ~MusicPlayer() = default;
    // Opens the sound device; false when there is none.
    virtual bool OpenDevice() = 0;
    virtual void CloseDevice() = 0;
    // Plays the file from its beginning, round and round, in place of whatever played;
    // false when it cannot (no device, a file it cannot read).
    virtual bool Play(const std::string& path) = 0;
    virtual void Stop() = 0;
};

class Platform {
public:
    virtual ~Platform() = default;

    // The folder that holds the program, without a trailing separator.
    virtual std::string ProgramFolder() = 0;
    // The player's folder for the settings of every program ($XDG_CONFIG_HOME, by default
    // ~/.config), without a trailing separator; empty when it cannot be told.
    virtual std::string UserConfigHome();
    // Every file the game writes for the player goes through here (the twin records it).
    virtual PlayerFiles& Files();

    // ---- time and input ------------------------------------------------------
    virtual std::uint64_t Now() = 0;  // ms
    // Blocks until `deadline` (on Now's clock), until a close request arrives, or, with
    // `wakeOnInput`, until input arrives (a key, typed text, the pointer, a loss of focus). Delivers nothing: what arrived
    // waits for NextInput, in order. Once the window is asked to close, a wait runs to
    // its deadline, and one without a deadline does not wait at all. Everything that
    // arrived before it returns is seen by the calls below.
    virtual void WaitUntil(std::uint64_t deadline, bool wakeOnInput) = 0;
    // The next key-down or typed text that arrived; false when nothing is waiting.
    virtual bool NextInput(InputEvent& event) = 0;
    // The user asked to close the window (title bar, Alt+F4, the end of a test script).
    // Seen as soon as it arrives, also during a wait; it stays asked.
    virtual bool CloseRequested() = 0;
    // The key as it is now: held, and pressed since the last look at it (which this look
    // clears). Sees everything that arrived before it; needs nothing else to have run.
    virtual KeyState LookAt(Key key) = 0;
    // The last click or wheel turn since the last look (which this look clears), also
    // queued for NextInput like everything else; none when there was none.
    virtual std::optional<InputEvent> LookAtPointer() = 0;

    // ---- the window ----------------------------------------------------------
    virtual void ShowWindow() = 0;
    // When the window already showed the start-up picture before the program put it up (a
    // page draws it while the program itself still loads), the moment it first did, on
    // Now's clock; none where the program's own picture is the first.
    virtual std::optional<std::uint64_t> StartupPictureShownAt() { return std::nullopt; }
    // Puts the window on screen as `view` says, with the board picture and the help page.
    // Cheap when nothing changed since the last call: it then does nothing. Typed text is
    // taken only while the view shows the level box.
    virtual void Present(const WindowView& view) = 0;
    // Makes ready ahead of its moment what drawing `play` will take (its text, rendered),
    // without showing anything, so that a picture due at a deadline goes up at once.
    virtual void Prepare(const PlayView& play) = 0;
    // The one way to standard error: a line for whoever started the game (a file that is
    // missing, a choice that cannot be saved). Nothing is shown in the window.
    virtual void Warn(const std::string& line) = 0;
    // True when a font for the window's text can be found on this machine.
    virtual bool CanDrawText() = 0;
    // Lays out the local page for the help view; a page that cannot be read shows the
    // view's missingText and the path (or nothing, without such a text), one too large or
    // nested too deeply its refusedText, and says why on standard error.
    virtual void LoadHelpPage(HelpView& view, const std::string& path) = 0;
    virtual int HelpPageHeight() = 0;  // pixels; 0 when empty
    // Where a click at window x puts the level box's caret: the character edge nearest to
    // it among those that show, measured in the box's own font.
    virtual int LevelBoxCaretAt(const LevelBoxView& box, int x) = 0;

    // ---- the display ---------------------------------------------------------
    virtual int DesktopWidth() = 0;  // the desktop as the user has it
    virtual int DesktopHeight() = 0;
    // Full screen scales the 800 × 600 picture over the desktop; the real display mode
    // is never changed. Leaving full screen gives the window back as it was before.
    virtual void SetFullscreen(bool on) = 0;
    // The window's place, size and maximised state outside full screen (in full screen,
    // those it goes back to). A platform whose window has no placement of its own (a
    // page in a browser) keeps the defaults: 800 × 600 at 0, 0, and nothing moves.
    virtual WindowPlacement Placement() { return {}; }
    // Puts the window there (in full screen: where it goes back to). A placement that no
    // monitor shows comes back centred on the largest monitor (OntoAMonitor).
    virtual void PlaceWindow(const WindowPlacement&) {}

    // ---- pictures and the board ----------------------------------------------
    virtual PictureHandle LoadPicture(const std::string& path) = 0;  // 0 if unreadable
    virtual PictureHandle LoadPicture(const unsigned char* data, std::size_t size) = 0;
    virtual void FreePicture(PictureHandle picture) = 0;  // 0 and unknown handles are ignored
    virtual BoardSurface& Board() = 0;

    // ---- sound ---------------------------------------------------------------
    // Plays a WAV file on the one effects channel, cutting off the effect still playing;
    // silent when the file is missing or there is no device. True when it sounds.
    virtual bool PlaySound(const std::string& path) = 0;
    virtual MusicPlayer& Music() = 0;

    // ---- the calendar and the clipboard --------------------------------------
    // Seconds since 1970-01-01 00:00 UTC by the machine's clock: the day's puzzle follows
    // the date in UTC.
    virtual std::int64_t UtcSeconds();
    // Puts a line on the desktop's clipboard for the player to paste elsewhere; Refused
    // when the desktop has none or will not take it, Asked where its answer comes later.
    virtual ClipboardCopy SetClipboardText(const std::string& text) = 0;
    // Whether the last copy that was Asked went, once the answer has come: told once. It
    // comes as input does, waking a wait for input.
    virtual std::optional<bool> CopyAnswer() { return std::nullopt; }
};

// Looks at every key and the pointer once, so that presses and clicks made before now are
// not reported later.
inline void FlushKeys(Platform& platform) {
    for (int k = 1; k < kKeyCount; ++k) platform.LookAt(static_cast<Key>(k));
    platform.LookAtPointer();
}

// The real thing: an SDL2 window, SDL_mixer sound, SDL_ttf text.
std::unique_ptr<Platform> CreateSdlPlatform();

}  // namespace tk

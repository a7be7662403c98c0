// The window's elements as plain data: the game sets their properties, the platform draws them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tk {

// A loaded picture; 0 means "no picture", and drawing it draws nothing.
using PictureHandle = std::uint32_t;

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

enum class Align { Left, Center, Right };

// A text label. Captions are UTF-8; several lines are joined by "\r\n".
// Positions and sizes are window pixels (for Label5, pixels of picGame).
struct Label {
    std::string Caption;
    bool Visible = false;
    Rgb ForeColor{};
    bool BackOpaque = false;  // false: transparent ground
    Rgb BackColor{};
    double FontSize = 12;     // points at 96 dpi
    bool FontBold = false;
    int Left = 0, Top = 0;
    int Width = 0, Height = 0;  // used when AutoSize is false
    bool AutoSize = true;       // true: as large as its text
    Align Alignment = Align::Left;
};

// The board picture. Its persistent image lives in the platform; the game
// paints into it through the Graphics surface and shows it with present().
struct PictureBox {
    int Left = 15, Top = 15, Width = 770, Height = 490;
    bool Visible = false;
};

// A picture element (the menu cursor).
struct ImageBox {
    int Left = 30, Top = 0, Width = 70, Height = 70;
    bool Visible = false;
    PictureHandle Picture = 0;
};

// The one-line text box. While Visible it takes typed text, caret movement
// and deletion; the key-down handler sees every key first.
struct TextBox {
    std::string Text;   // UTF-8
    int SelStart = 0;   // caret position, in characters
    std::size_t MaxBytes = 0;  // typing stops at this length of Text; 0: no limit
    int Left = 139, Top = 410, Width = 240, Height = 49;
    double FontSize = 30;
    bool FontBold = true;
    bool Visible = false;
};

// The one-second clock timer. Enable and disable it through Platform::enableTimer,
// so that the first tick falls one interval after enabling.
struct Timer {
    bool Enabled = false;
    int Interval = 1000;       // ms
    std::uint64_t dueAt = 0;   // platform clock, ms
};

// The help page view: a local HTML page laid out into Width × Height pixels.
struct BrowserView {
    int Left = 15, Top = 1000, Width = 770, Height = 490;
    bool Visible = false;
    std::string Location;  // the file last navigated to ("" = none)
    std::string MissingPageText;  // shown, with the path, when that file cannot be read
    int ScrollY = 0;       // pixels scrolled down
};

// Every element of the main window, in drawing order from the bottom:
// window picture, menu lines, cursor, credits, clock, board (with the title
// labels inside it), text box, help view.
struct Controls {
    PictureHandle WindowPicture = 0;
    Label Label6[5];
    ImageBox Image1;
    Label Label2;
    Label Label1;
    Label Label4;
    PictureBox picGame;
    Label Label5[5];  // inside picGame: positions are relative to it, clipped to it
    TextBox Text2;
    Timer Timer1;
    BrowserView wbHelp;
};

}  // namespace tk

// The window's elements as plain data: the game sets their properties, the platform draws them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/geometry.h"

namespace tk {

// A loaded picture; 0 means "no picture", and drawing it draws nothing.
using PictureHandle = std::uint32_t;

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

enum class Align { Left, Center, Right };

// A text label. Captions are UTF-8; several lines are joined by "\r\n". A label that is
// not AutoSize wraps a line wider than itself at word boundaries.
// Positions and sizes are window pixels (for the titles, pixels of the board picture).
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
    friend bool operator==(const Label&, const Label&) = default;
};

// Where the board picture shows. Its persistent image lives in the platform; the game
// paints into it through the BoardSurface.
struct PictureBox {
    int Left = kBoardLeft, Top = kBoardTop, Width = kBoardWidth, Height = kBoardHeight;
    bool Visible = false;
    friend bool operator==(const PictureBox&, const PictureBox&) = default;
};

// A picture element (the menu cursor).
struct ImageBox {
    int Left = 30, Top = 0, Width = 70, Height = 70;
    bool Visible = false;
    PictureHandle Picture = 0;
    friend bool operator==(const ImageBox&, const ImageBox&) = default;
};

// The one-line text box. While Visible it takes typed text, caret movement and
// deletion; the key-down handler sees every key first.
struct TextBox {
    std::string Text;   // UTF-8
    int SelStart = 0;   // caret position, in characters
    std::size_t MaxBytes = 0;  // typing stops at this length of Text; 0: no limit
    int Left = 139, Top = 410, Width = 240, Height = 49;
    double FontSize = 30;
    bool FontBold = true;
    bool Visible = false;
    friend bool operator==(const TextBox&, const TextBox&) = default;
};

// The help page view: a local HTML page laid out into Width × Height pixels.
struct BrowserView {
    int Left = kBoardLeft, Top = 1000, Width = kBoardWidth, Height = kBoardHeight;
    bool Visible = false;
    std::string Location;  // the page last loaded ("" = none)
    std::string MissingPageText;  // shown, with the path, when that page cannot be read
    std::string RefusedPageText;  // likewise when it is too large or nested too deeply
    int ScrollY = 0;       // pixels scrolled down
    friend bool operator==(const BrowserView&, const BrowserView&) = default;
};

// Every element of the window, in drawing order from the bottom: the window picture,
// menu lines, cursor, credits, clock, board (with the title labels inside it), text
// box, help view.
struct Controls {
    PictureHandle windowPicture = 0;
    Label menuLines[5];
    ImageBox cursor;
    Label creditHeadings;
    Label creditNames;
    Label clock;
    PictureBox board;
    Label titles[5];  // inside the board: positions are relative to it, clipped to it
    TextBox levelBox;
    BrowserView help;
    friend bool operator==(const Controls&, const Controls&) = default;
};

}  // namespace tk

// The window's layout: the credits, the clock, the title labels, the menu lines, the cursor,
// the level box and the board.
#include "app/window_layout.h"

#include "puzzle/level_file.h"
#include "ui/credits.h"
#include "ui/menu_look.h"

namespace tk {

namespace {

constexpr Rgb kYellowGreen{224, 255, 0};
constexpr Rgb kDarkGreen{0, 64, 0};
constexpr Rgb kBlack{0, 0, 0};

}  // namespace

void LayOutWindow(Controls& c) {
    // Credits: headings right-aligned in a fixed column that ends just before the names,
    // so a long heading never runs into them.
    Label& headings = c.creditHeadings;
    headings.Left = 552;
    headings.Top = 519;
    headings.FontSize = 12;
    headings.FontBold = false;
    headings.ForeColor = kBlack;
    headings.Alignment = Align::Right;
    headings.AutoSize = false;
    headings.Width = 106;
    headings.Height = 81;

    Label& names = c.creditNames;
    names.Left = 659;
    names.Top = 519;
    names.FontSize = 12;
    names.FontBold = false;
    names.ForeColor = kYellowGreen;
    names.Alignment = Align::Left;
    names.AutoSize = true;
    names.Caption = kCreditNames;

    // The clock sits in the frame below the board.
    Label& clock = c.clock;
    clock.Left = 15;
    clock.Top = 522;
    clock.Width = 165;
    clock.Height = 61;
    clock.AutoSize = false;
    clock.FontSize = 36;
    clock.FontBold = true;
    clock.ForeColor = kYellowGreen;
    clock.BackOpaque = true;
    clock.BackColor = kBlack;
    clock.Alignment = Align::Center;

    // The title labels: one bright face over four dark copies shifted diagonally, which
    // together draw an outline round the text.
    static constexpr int kOffsets[5][2] = {{0, 120}, {-2, 118}, {2, 122}, {2, 118}, {-2, 122}};
    for (int i = 0; i < 5; ++i) {
        Label& l = c.titles[i];
        l.Left = kOffsets[i][0];
        l.Top = kOffsets[i][1];
        l.Width = kBoardWidth;
        // Room for four lines at 48 pt down to the board's bottom edge: the Czech
        // congratulations take three, and the sum of the best times comes below them.
        l.Height = 360;
        l.AutoSize = false;
        l.Alignment = Align::Center;
        l.FontBold = true;
        l.FontSize = 48;
        l.ForeColor = i == 0 ? kYellowGreen : kDarkGreen;
    }

    for (int i = 0; i < menulook::kLines; ++i) {
        Label& l = c.menuLines[i];
        l.Left = 103;
        l.Top = 150 + 65 * i;
        l.Width = 660;
        l.Height = 61;
        l.AutoSize = false;
        l.FontSize = menulook::kMainMenuPt;
        l.FontBold = true;
        l.ForeColor = menulook::kNormal;
    }

    c.cursor.Left = 30;
    c.cursor.Top = c.menuLines[0].Top + menulook::kMainMenuCursorOffset;
    c.cursor.Width = 70;
    c.cursor.Height = 70;

    c.levelBox.Left = 139;
    c.levelBox.Top = 410;
    c.levelBox.Width = 240;
    c.levelBox.Height = 49;
    c.levelBox.FontSize = 30;
    c.levelBox.FontBold = true;
    // No level file has a longer name, and a longer line only costs memory to draw.
    c.levelBox.MaxBytes = kMaxLevelNameBytes;

    c.board = PictureBox{};
    // The help view waits below the window's bottom edge until it is opened.
    c.help.Top = 1000;
}

}  // namespace tk

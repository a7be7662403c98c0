// The main window's construction (the initial looks of its elements) and the resource paths.
#include "app/frm_main.h"

#include <algorithm>
#include <cctype>

#include "puzzle/level_file.h"
#include "ui/credits.h"
#include "ui/texts.h"

namespace tk {

namespace {

constexpr Rgb kYellowGreen{224, 255, 0};
constexpr Rgb kDarkGreen{0, 64, 0};
constexpr Rgb kMenuGrey{208, 208, 208};
constexpr Rgb kBlack{0, 0, 0};

}  // namespace

frmMain::frmMain(Platform& platform) : plat(platform), fmod(platform) {
    // Everything starts hidden: the window first shows only its start-up picture,
    // and FormLoad brings the elements out one by one.

    // Credits: headings right-aligned against the names column.
    Label2.Left = 552;
    Label2.Top = 519;
    Label2.FontSize = 12;
    Label2.FontBold = false;
    Label2.ForeColor = kBlack;
    // A fixed column that ends just before the names, so a long heading never runs
    // into them.
    Label2.Alignment = Align::Right;
    Label2.AutoSize = false;
    Label2.Width = 106;
    Label2.Height = 81;

    Label1.Left = 659;
    Label1.Top = 519;
    Label1.FontSize = 12;
    Label1.FontBold = false;
    Label1.ForeColor = kYellowGreen;
    Label1.Alignment = Align::Left;
    Label1.AutoSize = true;
    Label1.Caption = kCreditNames;

    // The clock sits in the frame below the board.
    Label4.Left = 15;
    Label4.Top = 522;
    Label4.Width = 165;
    Label4.Height = 61;
    Label4.AutoSize = false;
    Label4.FontSize = 36;
    Label4.FontBold = true;
    Label4.ForeColor = kYellowGreen;
    Label4.BackOpaque = true;
    Label4.BackColor = kBlack;
    Label4.Alignment = Align::Center;

    // The title labels: one bright face over four dark copies shifted diagonally,
    // which together draw an outline round the text.
    static constexpr int kOffsets[5][2] = {{0, 120}, {-2, 118}, {2, 122}, {2, 118}, {-2, 122}};
    for (int i = 0; i < 5; ++i) {
        Label& l = Label5[i];
        l.Left = kOffsets[i][0];
        l.Top = kOffsets[i][1];
        l.Width = 770;
        l.Height = 287;
        l.AutoSize = false;
        l.Alignment = Align::Center;
        l.FontBold = true;
        l.FontSize = 48;
        l.ForeColor = i == 0 ? kYellowGreen : kDarkGreen;
    }

    for (int i = 0; i < 5; ++i) {
        Label& l = Label6[i];
        l.Left = 103;
        l.Top = 150 + 65 * i;
        l.Width = 660;
        l.Height = 61;
        l.AutoSize = false;
        l.FontSize = 36;
        l.FontBold = true;
        l.ForeColor = kMenuGrey;
    }

    Image1.Left = 30;
    Image1.Top = Label6[0].Top - 4;
    Image1.Width = 70;
    Image1.Height = 70;

    Text2.Left = 139;
    Text2.Top = 410;
    Text2.Width = 240;
    Text2.Height = 49;
    Text2.FontSize = 30;
    Text2.FontBold = true;
    // No level file has a longer name, and a longer line only costs memory to draw.
    Text2.MaxBytes = kMaxLevelNameBytes;

    picGame.Left = 15;
    picGame.Top = 15;
    picGame.Width = 770;
    picGame.Height = 490;

    Timer1.Interval = 1000;
    Timer1.Enabled = false;

    // The help view waits below the window's bottom edge until it is opened.
    wbHelp.Top = 1000;

    programFolder = plat.ProgramFolder();
}

frmMain::~frmMain() = default;

std::string frmMain::LP(const std::string& a) const {
    // Only the extension decides the folder; the name keeps its own case.
    std::string tail = a.size() > 6 ? a.substr(a.size() - 6) : a;
    std::transform(tail.begin(), tail.end(), tail.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (tail == ".kulap") return programFolder + "/levels/" + a;
    return programFolder + "/graphics/" + a;
}

std::string frmMain::markerPath() const { return programFolder + "/" + texts::kMarkerFileName; }

std::string frmMain::settingsPath() const { return programFolder + "/options.txt"; }

std::string frmMain::helpPagePath(bool czech) const {
    return programFolder + "/help/" + texts::helpPageName(czech) + ".html";
}

}  // namespace tk

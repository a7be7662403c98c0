// How the window looks: the one home of every element's place, font and colour. The painter
// reads it; the screens only say what shows (window_view.h).
#pragma once

#include <cstdint>

#include "platform/geometry.h"
#include "platform/window_view.h"

namespace tk {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

enum class Align { Left, Center, Right };

// A text style. Text is set in one family at 96 dpi; a block of fixed width wraps its lines
// at blanks. An outlined text has a ring of `outline` round every letter, drawn beneath it
// by copies shifted `outlineWidth` pixels diagonally.
struct TextLook {
    double points = 12;
    bool bold = false;
    Rgb colour{};
    Align align = Align::Left;
    bool grounded = false;  // the block's box filled with `ground` first
    Rgb ground{};
    bool outlined = false;
    Rgb outline{};
    int outlineWidth = 0;
    friend bool operator==(const TextLook&, const TextLook&) = default;
};

// A rectangle in window pixels (for the title, in pixels of the board). A text box of
// width 0 is as large as its text.
struct Box {
    int left = 0, top = 0, width = 0, height = 0;
    friend bool operator==(const Box&, const Box&) = default;
};

namespace look {

// Every text uses this family; fontconfig substitutes where it is absent (Liberation Sans
// has nearly its widths).
inline constexpr const char* kFontFamily = "Trebuchet MS";

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kGrey{128, 128, 128};
inline constexpr Rgb kPaleGrey{208, 208, 208};
inline constexpr Rgb kYellowGreen{224, 255, 0};
inline constexpr Rgb kDarkGreen{0, 64, 0};

// ---- the menu: five lines, the highlighted one bright, the cursor picture beside it ----
// The options screen's side line stands in a column of its own, at the right of the first
// line, whose caption ("« back") is short.
inline constexpr Box kSideLine{430, 150, 333, 61};
inline Box MenuLine(int index) {
    return index == MenuView::kSideLine ? kSideLine : Box{103, 150 + 65 * index, 660, 61};
}
// The main menu's lines are larger; the options screen needs room for longer lines.
inline TextLook MenuText(MenuView::Page page, bool highlighted) {
    TextLook t;
    t.points = page == MenuView::Page::Main ? 36 : 30;
    t.bold = true;
    t.colour = highlighted ? kYellowGreen : kPaleGrey;
    return t;
}
// The cursor sits a little above its line, further with the smaller options font.
inline Box Cursor(MenuView::Page page, int highlight) {
    const Box line = MenuLine(highlight);
    return Box{line.left - 73, line.top + (page == MenuView::Page::Main ? -4 : -10), 70, 70};
}

// ---- the credits: headings right-aligned in a column that ends where the window's light
// panel does, the names on the dark beyond it, a few pixels off so that the two never touch ----
inline constexpr Box kCreditHeadings{552, 519, 106, 81};
inline constexpr Box kCreditNames{664, 519, 0, 0};
inline TextLook CreditHeadingsText() { return TextLook{12, false, kBlack, Align::Right}; }
inline TextLook CreditNamesText() { return TextLook{12, false, kYellowGreen, Align::Left}; }

// ---- a level: the clock in the frame below the board, the title over the board ----
inline constexpr Box kClock{15, 522, 165, 61};
inline TextLook ClockText() {
    TextLook t{36, true, kYellowGreen, Align::Center};
    t.grounded = true;
    t.ground = kBlack;
    return t;
}
// A hint's price stands right of the clock while the hint shows, on a black ground of its own.
inline constexpr Box kHintCost{190, 534, 96, 37};
inline TextLook HintCostText() {
    TextLook t{22, true, Rgb{255, 112, 64}, Align::Center};
    t.grounded = true;
    t.ground = kBlack;
    return t;
}
inline constexpr Box kBoard{kBoardLeft, kBoardTop, kBoardWidth, kBoardHeight};
// Relative to the board and clipped to it: room for four lines at 48 pt down to the
// board's bottom edge (the Czech congratulations take three, the sum of the bests comes
// below them).
inline constexpr Box kTitle{0, 120, kBoardWidth, 360};
inline TextLook TitleText() {
    TextLook t{48, true, kYellowGreen, Align::Center};
    t.outlined = true;
    t.outline = kDarkGreen;
    t.outlineWidth = 2;
    return t;
}

// Relative to the board: a band across its lower part, as tall as its lines (two at most).
inline constexpr Box kResult{20, 370, kBoardWidth - 40, 0};
inline constexpr int kResultPadding = 10;
inline TextLook ResultText() {
    TextLook t{16, true, kYellowGreen, Align::Center};
    t.grounded = true;
    t.ground = kDarkGreen;
    return t;
}

// The quit question's two lines, in window pixels: a click on the left half of the band
// answers yes (the "Y" stands left of the slash), on the right half no.
inline constexpr Box kQuestionBand{kBoardLeft, kBoardTop + kTitle.top, kBoardWidth, 150};

// ---- the level box: black text on white in a grey frame, over the options' level line ----
inline constexpr Box kLevelBox{139, 410, 240, 49};
inline TextLook LevelBoxText() { return TextLook{30, true, kBlack, Align::Left}; }
inline constexpr Rgb kLevelBoxFrame = kGrey;
inline constexpr Rgb kLevelBoxPaper = kWhite;

// ---- help: the page over the board's rectangle, so it covers the menu ----
inline constexpr Box kHelp = kBoard;
inline constexpr Rgb kHelpPaper = kWhite;

// ---- a notice: a band across the middle of the window, as tall as its lines ----
inline constexpr Box kNotice{80, 0, 640, 0};  // top and height follow from the lines
inline constexpr int kNoticeMiddle = 300;
inline constexpr int kNoticePadding = 14;
inline TextLook NoticeText() {
    TextLook t{20, true, kYellowGreen, Align::Center};
    t.grounded = true;
    t.ground = kDarkGreen;
    return t;
}

}  // namespace look
}  // namespace tk

// What each screen shows, as plain values: the game says what is on show, the painter decides
// how it looks (window_look.h) and draws it. Nothing here is a position, a font or a colour.
#pragma once

#include <cstdint>
#include <string>

#include "platform/geometry.h"

namespace tk {

// A loaded picture; 0 means "no picture", and drawing it draws nothing.
using PictureHandle = std::uint32_t;

// The five lines of the main menu, of the options screen or of the page of made levels, one
// of them highlighted with the cursor picture beside it; the options screen has a sixth
// line in a column of its own at the right of the first.
struct MenuView {
    enum class Page { Main, Options };
    static constexpr int kLines = 6;
    static constexpr int kLevelLine = 4;  // on the options screen, the level "Play" starts with
    static constexpr int kSideLine = 5;   // empty where a screen has no such line

    bool shown = false;
    Page page = Page::Main;  // the options screen's lines are smaller
    std::string lines[kLines];
    int highlight = 0;
    bool levelLineShown = true;  // the options screen's last line gives way to the level box
    friend bool operator==(const MenuView&, const MenuView&) = default;
};

// The one-line box a level name is typed into, with its caret.
struct LevelBoxView {
    bool shown = false;
    std::string text;  // UTF-8
    int caret = 0;     // in characters
    friend bool operator==(const LevelBoxView&, const LevelBoxView&) = default;
};

// The help page, laid out by the platform, and how far it is scrolled.
struct HelpView {
    bool shown = false;
    std::string page;         // the page last loaded ("" = none)
    std::string missingText;  // shown, with the path, when that page cannot be read
    std::string refusedText;  // likewise when it is too large or nested too deeply
    int scrollY = 0;          // pixels scrolled down
    friend bool operator==(const HelpView&, const HelpView&) = default;
};

// A level: the board picture, the clock below it and the title over the board (also the
// quit question, a hint's words, "New best!" and the congratulations).
struct PlayView {
    bool boardShown = false;
    bool clockShown = false;
    std::string clock;
    std::string hintCost;  // what the hint on show took from the clock ("-9 s"); "" when none
    bool titleShown = false;
    std::string title;  // lines joined by "\r\n"
    // A line or two under the title in smaller type: the day's puzzle's result.
    bool resultShown = false;
    std::string result;
    friend bool operator==(const PlayView&, const PlayView&) = default;
};

// A few words for the player over whatever shows, standing for a while; nothing waits for
// them to go.
struct NoticeView {
    bool shown = false;
    std::string text;
    friend bool operator==(const NoticeView&, const NoticeView&) = default;
};

// The whole window, in drawing order from the bottom.
struct WindowView {
    PictureHandle background = 0;  // the start-up picture, then the window's own
    PictureHandle cursor = 0;      // beside the highlighted menu line
    MenuView menu;
    bool creditsShown = false;
    std::string creditHeadings;  // a line for each part of the work
    std::string creditNames;     // beside each heading
    PlayView play;
    LevelBoxView levelBox;
    HelpView help;
    NoticeView notice;
    friend bool operator==(const WindowView&, const WindowView&) = default;
};

}  // namespace tk

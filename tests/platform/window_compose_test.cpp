// The whole window as the player would see it, drawn by the painter from what each screen
// shows: picture, menu, credits, clock, board and its outlined title, level box, help page.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/sdl_handles.h"
#include "platform/sdl_text.h"
#include "platform/window_input.h"
#include "platform/window_look.h"
#include "puzzle/level_file.h"
#include "support/program_folder.h"
#include "test_pictures.h"

namespace tk::test {
namespace {

constexpr Rgba kInk{0, 0, 0, 255};
constexpr Rgba kPaper{255, 255, 255, 255};

Rgba Of(Rgb c) { return Rgba{c.r, c.g, c.b, 255}; }

class Window : public ::testing::Test {
protected:
    Window() : plat(HeadlessOptions{folder.str()}) {}

    // The window as `view` says, put on screen.
    Rgba Pixel(int x, int y) {
        plat.Present(view);
        return plat.WindowPixel(x, y);
    }
    // How many pixels in the rectangle have exactly this colour.
    int Count(int x0, int y0, int w, int h, Rgba c) {
        plat.Present(view);
        const std::string png = (folder / "w.png").string();
        if (!plat.SaveWindowPng(png)) return -1;
        const PictureHandle shot = plat.LoadPicture(png);
        int n = 0;
        for (int y = y0; y < y0 + h; ++y)
            for (int x = x0; x < x0 + w; ++x) n += plat.PicturePixel(shot, x, y) == c;
        plat.FreePicture(shot);
        return n;
    }
    int Count(const Box& b, Rgba c) { return Count(b.left, b.top, b.width, b.height, c); }

    ProgramFolder folder{false};
    HeadlessPlatform plat;
    WindowView view;
};

TEST_F(Window, PictureAndTheMenuWithItsHighlightAndCursor) {
    WritePng(folder / "okno.png", 800, 600, [](int, int) { return kGreen; });
    view.background = plat.LoadPicture((folder / "okno.png").string());
    WritePng(folder / "cursor.png", 70, 70, [](int, int) { return kRed; });
    view.cursor = plat.LoadPicture((folder / "cursor.png").string());
    EXPECT_EQ(Pixel(400, 300), kGreen);
    const Rgba bright = Of(look::kYellowGreen), pale = Of(look::kPaleGrey);
    EXPECT_EQ(Count(look::MenuLine(0), bright) + Count(look::MenuLine(0), pale), 0) << "no menu yet";

    view.menu.shown = true;
    for (int i = 0; i < MenuView::kLines; ++i) view.menu.lines[i] = "Line";
    view.menu.highlight = 2;
    EXPECT_GT(Count(look::MenuLine(2), bright), 30) << "the highlighted line";
    EXPECT_EQ(Count(look::MenuLine(2), pale), 0);
    EXPECT_GT(Count(look::MenuLine(0), pale), 30) << "the others";
    EXPECT_EQ(Pixel(look::MenuLine(0).left - 1, look::MenuLine(0).top + 30), kGreen) << "text starts at the line";
    // The cursor stands beside the highlight, higher on the options screen's smaller lines.
    const Box main = look::Cursor(MenuView::Page::Main, 2);
    EXPECT_EQ(Pixel(main.left + 35, main.top + 1), kRed);
    EXPECT_EQ(Pixel(main.left + 35, main.top - 1), kGreen);
    view.menu.page = MenuView::Page::Options;
    const Box options = look::Cursor(MenuView::Page::Options, 2);
    EXPECT_LT(options.top, main.top);
    EXPECT_EQ(Pixel(options.left + 35, options.top + 1), kRed);
    // The last line gives way to the level box.
    view.menu.levelLineShown = false;
    EXPECT_EQ(Count(look::MenuLine(4), pale), 0);
    EXPECT_GT(Count(look::MenuLine(3), pale), 30);
}

TEST_F(Window, TheClockStandsCentredOnItsGroundAndTheHeadingsToTheRight) {
    WritePng(folder / "okno.png", 800, 600, [](int, int) { return kGreen; });
    view.background = plat.LoadPicture((folder / "okno.png").string());
    view.play.clockShown = true;
    view.play.clock = "1";
    const Box& c = look::kClock;
    EXPECT_EQ(Pixel(c.left + 1, c.top + 1), Of(look::kBlack));
    EXPECT_EQ(Pixel(c.left + c.width - 2, c.top + c.height - 2), Of(look::kBlack));
    // A centred single digit: its ink lies near the middle, none at the sides.
    const Rgba ink = Of(look::kYellowGreen);
    EXPECT_GT(Count(c.left + c.width / 2 - 30, c.top, 60, c.height, ink), 10);
    EXPECT_EQ(Count(c.left, c.top, 40, c.height, ink) + Count(c.left + c.width - 40, c.top, 40, c.height, ink), 0);

    view.creditsShown = true;
    view.creditHeadings = "\u2588";
    const Box& h = look::kCreditHeadings;
    EXPECT_GT(Count(h.left + h.width - 20, h.top, 20, 20, kInk), 5) << "right-aligned";
    EXPECT_EQ(Count(h.left, h.top, h.width - 20, h.height, kInk), 0);
}

TEST_F(Window, LinesStayDrawnWhileTheClockFillsTheTextCache) {
    // A ticking clock renders a new text every second; the cache of rendered lines is
    // emptied now and then. A text of several lines must never lose lines it already
    // looked up in the same frame.
    view.creditsShown = true;
    view.creditNames = "\u2588\r\n\u2588\r\n0";
    view.play.clockShown = true;
    view.play.clock = "0";
    const Box& names = look::kCreditNames;
    const std::string png = (folder / "first.png").string();
    plat.Present(view);
    ASSERT_TRUE(plat.SaveWindowPng(png));
    const PictureHandle first = plat.LoadPicture(png);
    const Rgba ink = Of(look::kYellowGreen);
    int inkX = -1, inkY = -1;
    for (int y = names.top; y < names.top + 30 && inkX < 0; ++y)
        for (int x = names.left; x < names.left + 40 && inkX < 0; ++x)
            if (plat.PicturePixel(first, x, y) == ink) inkX = x, inkY = y;
    ASSERT_GE(inkX, 0);
    for (int i = 1; i < 450; ++i) {
        view.creditNames = "\u2588\r\n\u2588\r\n" + std::to_string(i);
        view.play.clock = std::to_string(i);
        ASSERT_EQ(Pixel(inkX, inkY), ink) << "frame " << i;
    }
}

TEST_F(Window, TheBoardWithItsOutlinedTitleClippedToIt) {
    WritePng(folder / "cell.png", 70, 70, [](int, int) { return kRed; });
    plat.Board().DrawSprite(plat.LoadPicture((folder / "cell.png").string()), 0, 0);
    EXPECT_EQ(Pixel(20, 20), kBlack);  // hidden board
    view.play.boardShown = true;
    EXPECT_EQ(Pixel(15, 15), kRed);
    EXPECT_EQ(Pixel(84, 84), kRed);
    EXPECT_EQ(Pixel(14, 14), kBlack);

    // The title: a bright face in a dark ring, one text style, not stacked copies.
    view.play.titleShown = true;
    view.play.title = "O";
    const Box title{look::kBoard.left, look::kBoard.top + look::kTitle.top, look::kBoard.width, 100};
    const int face = Count(title, Of(look::kYellowGreen)), ring = Count(title, Of(look::kDarkGreen));
    EXPECT_GT(face, 100);
    EXPECT_GT(ring, 50) << "the outline round the letter";
    // A title wider than the board is cut at its edges, ring and all.
    view.play.title = std::string(40, 'W');
    EXPECT_EQ(Pixel(14, look::kBoard.top + look::kTitle.top + 20), kBlack);
    EXPECT_EQ(Pixel(look::kBoard.left + look::kBoard.width, look::kBoard.top + look::kTitle.top + 20), kBlack);
    view.play.boardShown = false;
    EXPECT_EQ(Count(title, Of(look::kYellowGreen)), 0) << "the title goes with the board";
}

TEST_F(Window, LevelBoxShowsTextAndCaret) {
    const Box& b = look::kLevelBox;
    view.levelBox.shown = true;
    EXPECT_EQ(Pixel(b.left + b.width - 5, b.top + b.height / 2), kPaper);
    EXPECT_EQ(Pixel(b.left, b.top), Of(look::kLevelBoxFrame));
    const int empty = Count(b.left + 2, b.top + 2, b.width - 4, b.height - 4, kInk);
    EXPECT_GT(empty, 0);  // the caret alone
    view.levelBox.text = "level1";
    view.levelBox.caret = 6;
    EXPECT_GT(Count(b.left + 2, b.top + 2, b.width - 4, b.height - 4, kInk), empty + 50);
    view.levelBox.shown = false;
    EXPECT_EQ(Pixel(b.left + b.width - 5, b.top + b.height / 2), kBlack);
}

// The caret is the one ink as tall as the line: find the columns of the box that hold it.
std::vector<int> caretColumns(HeadlessPlatform& plat, const WindowView& view, ProgramFolder& folder) {
    const Box& b = look::kLevelBox;
    plat.Present(view);
    const std::string png = (folder / "box.png").string();
    if (!plat.SaveWindowPng(png)) return {};
    const PictureHandle shot = plat.LoadPicture(png);
    std::vector<int> columns;
    for (int x = b.left + 1; x < b.left + b.width - 1; ++x) {
        int run = 0, longest = 0;
        for (int y = b.top + 1; y < b.top + b.height - 1; ++y) {
            run = plat.PicturePixel(shot, x, y) == kInk ? run + 1 : 0;
            longest = std::max(longest, run);
        }
        if (longest >= b.height / 2 + 10) columns.push_back(x);
    }
    plat.FreePicture(shot);
    return columns;
}

TEST_F(Window, ALongNameScrollsInsideTheBoxAndTheCaretStaysInView) {
    const Box& b = look::kLevelBox;
    LevelBoxView& box = view.levelBox;
    box.shown = true;
    box.text = "averyveryverylongnameforalevelfile";
    box.caret = 34;
    std::vector<int> caret = caretColumns(plat, view, folder);
    ASSERT_EQ(caret.size(), 2u) << "the caret, two pixels wide, inside the box";
    EXPECT_GE(caret[0], b.left + b.width - 12) << "at the right edge: the text scrolled";
    EXPECT_LT(caret[1], b.left + b.width - 1);
    // Home: the start of the name is in view again, the caret before it.
    box.caret = 0;
    caret = caretColumns(plat, view, folder);
    ASSERT_EQ(caret.size(), 2u);
    EXPECT_LE(caret[0], b.left + 6);
}

// A name longer than the box says so: each side where it goes on ends in "…", and the
// caret keeps clear of them. Only the characters that show are drawn, so a name of any
// length costs no more than the box.
TEST_F(Window, ALongNameEndsInAnEllipsisWhereItGoesOnAndOnlyWhatShowsIsDrawn) {
    TTF_Font* font = sdl::TextFont(look::LevelBoxText());
    ASSERT_NE(font, nullptr);
    LevelBoxView box;
    box.text = "short";
    box.caret = 2;
    sdl::LevelBoxLayout l = sdl::LayOutLevelBox(box, font);
    EXPECT_FALSE(l.cutLeft || l.cutRight);
    EXPECT_EQ(l.shown, "short");
    EXPECT_EQ(l.shownX, look::kLevelBox.left + 5);

    const std::string name = std::string(kMaxLevelNameBytes, 'm');
    box.text = name;
    box.caret = 0;
    l = sdl::LayOutLevelBox(box, font);
    EXPECT_FALSE(l.cutLeft);
    EXPECT_TRUE(l.cutRight) << "at Home: the name goes on to the right";
    EXPECT_LT(l.shown.size(), 20u);
    box.caret = static_cast<int>(name.size());
    l = sdl::LayOutLevelBox(box, font);
    EXPECT_TRUE(l.cutLeft) << "at End: it came from the left";
    EXPECT_FALSE(l.cutRight);
    EXPECT_LT(l.shown.size(), 20u);
    EXPECT_LE(l.caretX + l.caretWidth, l.window.x + l.window.w);
    box.caret = 120;
    l = sdl::LayOutLevelBox(box, font);
    EXPECT_TRUE(l.cutLeft && l.cutRight) << "in the middle: both ways";
    EXPECT_GE(l.caretX, l.window.x);
    EXPECT_LE(l.caretX + l.caretWidth, l.window.x + l.window.w);

    // On screen: ink of the ellipsis at the right, and none of the name beyond the box.
    WritePng(folder / "okno.png", 800, 600, [](int, int) { return kGreen; });
    view.background = plat.LoadPicture((folder / "okno.png").string());
    view.levelBox = box;
    view.levelBox.shown = true;
    view.levelBox.caret = 0;
    const Box& b = look::kLevelBox;
    const int ellipsisInk = Count(b.left + b.width - 25, b.top + 30, 20, 12, kInk);
    EXPECT_GT(ellipsisInk, 6) << "the dots";
    EXPECT_EQ(Count(b.left + b.width, b.top, 40, b.height, kInk), 0);
}

TEST_F(Window, HelpPageScrollsWithinItsLength) {
    std::string page = "<html><body>";
    for (int i = 0; i < 60; ++i) page += "<p>Line " + std::to_string(i) + "</p>";
    page += "</body></html>";
    folder.write("help/help.html", page);
    HelpView& help = view.help;
    help.shown = true;
    plat.LoadHelpPage(help, (folder / "help/help.html").string());
    EXPECT_EQ(help.page, (folder / "help/help.html").string());
    EXPECT_EQ(plat.LogOf("navigate").size(), 1u);
    EXPECT_GT(Count(15, 15, 770, 490, kBlack), 50);  // words on white paper

    // Keys reach the shown view once the game has seen them.
    auto keys = [&](std::initializer_list<Key> codes, int times = 1) {
        for (int i = 0; i < times; ++i)
            for (Key code : codes)
                WindowTakesInput(view, InputEvent{InputEvent::Kind::Key, code, 0, {}}, plat.HelpPageHeight());
    };
    keys({Key::Down, Key::Down, Key::Up});
    EXPECT_EQ(help.scrollY, 40);
    keys({Key::PageDown}, 20);
    const int bottom = help.scrollY;
    EXPECT_GT(bottom, 490);
    keys({Key::Down});
    EXPECT_EQ(help.scrollY, bottom);  // no further than the page goes
    keys({Key::PageUp});
    EXPECT_EQ(help.scrollY, bottom - 490);
    keys({Key::PageUp}, 20);
    EXPECT_EQ(help.scrollY, 0);

    plat.LoadHelpPage(help, (folder / "help/none.html").string());
    EXPECT_EQ(help.scrollY, 0);
    EXPECT_EQ(Count(15, 15, 770, 490, kBlack), 0);  // an empty page
    // Hidden, it covers nothing.
    help.shown = false;
    EXPECT_EQ(Count(15, 15, 770, 490, kPaper), 0);
}

TEST_F(Window, OnlyAChangeReachesTheScreen) {
    plat.Present(view);
    const int first = plat.PresentCount();
    plat.Present(view);
    EXPECT_EQ(plat.PresentCount(), first) << "nothing changed: nothing is drawn";
    view.play.clockShown = true;
    view.play.clock = "00:10";
    plat.Present(view);
    EXPECT_EQ(plat.PresentCount(), first + 1);
    // Painting a hidden board changes nothing on screen; painting a shown one does.
    WritePng(folder / "cell.png", 70, 70, [](int, int) { return kRed; });
    plat.Board().DrawSprite(plat.LoadPicture((folder / "cell.png").string()), 0, 0);
    plat.Present(view);
    EXPECT_EQ(plat.PresentCount(), first + 1);
    view.play.boardShown = true;
    plat.Present(view);
    EXPECT_EQ(plat.PresentCount(), first + 2);
    plat.Board().DrawSprite(plat.LoadPicture((folder / "cell.png").string()), 70, 0);
    plat.Present(view);
    EXPECT_EQ(plat.PresentCount(), first + 3);
}

TEST(TextCache, BoundedByTheMemoryOfItsLinesNotByTheirNumber) {
    // A title or a page of text may make many lines: a few hundred of them must not
    // pile up gigabytes of pixels between clearings.
    HeadlessPlatform plat({});  // brings SDL_ttf up
    sdl::SurfaceHandle surface(SDL_CreateRGBSurfaceWithFormat(0, 800, 600, 32, SDL_PIXELFORMAT_ARGB8888));
    sdl::RendererHandle renderer(SDL_CreateSoftwareRenderer(surface.get()));
    ASSERT_NE(renderer, nullptr);
    TTF_Font* font = sdl::TextFont(30, true);
    ASSERT_NE(font, nullptr);
    sdl::TextCache cache(renderer.get());
    std::string name(600, 'W');
    std::size_t most = 0, widest = 0;
    for (int frame = 0; frame < 120; ++frame) {
        name += static_cast<char>('a' + frame % 26);
        const std::size_t before = cache.Bytes();
        const auto& line = cache.Get(name, font, Rgb{0, 0, 0});
        ASSERT_NE(line.texture, nullptr);
        widest = std::max(widest, cache.Bytes() - before);
        most = std::max(most, cache.Bytes());
        cache.Trim();
        EXPECT_LE(cache.Bytes(), sdl::TextCache::kMaxBytes);
    }
    EXPECT_GT(widest * 120, 4 * sdl::TextCache::kMaxBytes) << "lines big enough to matter";
    EXPECT_LE(most, sdl::TextCache::kMaxBytes + widest);

    // A line that would take the whole budget by itself is measured, not drawn.
    cache.Clear();
    const auto& huge = cache.Get(std::string(100000, 'W'), font, Rgb{0, 0, 0});
    EXPECT_EQ(huge.texture, nullptr);
    EXPECT_GT(huge.w, 1000000);
    EXPECT_LT(cache.Bytes(), 200000u);
}

}  // namespace
}  // namespace tk::test

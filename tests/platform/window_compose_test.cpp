// The whole window as the player would see it: picture, labels, board, text box, help page.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/sdl_handles.h"
#include "platform/sdl_text.h"
#include "platform/window_input.h"
#include "support/program_folder.h"
#include "test_pictures.h"

namespace tk::test {
namespace {

class Window : public ::testing::Test {
protected:
    Window() : plat(HeadlessOptions{folder.str()}) {}

    // The window as `ctl` describes it, put on screen.
    Rgba Pixel(int x, int y) {
        plat.Present(ctl);
        return plat.WindowPixel(x, y);
    }
    // How many pixels in the rectangle have exactly this colour.
    int Count(int x0, int y0, int w, int h, Rgba c) {
        plat.Present(ctl);
        const std::string png = (folder / "w.png").string();
        if (!plat.SaveWindowPng(png)) return -1;
        const PictureHandle shot = plat.LoadPicture(png);
        int n = 0;
        for (int y = y0; y < y0 + h; ++y)
            for (int x = x0; x < x0 + w; ++x) n += plat.PicturePixel(shot, x, y) == c;
        plat.FreePicture(shot);
        return n;
    }

    Label White(const std::string& text, int left, int top) {
        Label l;
        l.Caption = text;
        l.Visible = true;
        l.ForeColor = Rgb{255, 255, 255};
        l.FontSize = 20;
        l.FontBold = true;
        l.Left = left;
        l.Top = top;
        return l;
    }

    ProgramFolder folder{false};
    HeadlessPlatform plat;
    Controls ctl;
};

TEST_F(Window, PictureAndMenuLines) {
    WritePng(folder / "okno.png", 800, 600, [](int, int) { return kGreen; });
    ctl.windowPicture = plat.LoadPicture((folder / "okno.png").string());
    EXPECT_EQ(Pixel(400, 300), kGreen);
    EXPECT_EQ(Count(100, 100, 200, 40, Rgba{255, 255, 255, 255}), 0);

    ctl.menuLines[0] = White("Hrát", 100, 100);
    ctl.menuLines[1] = White("Konec", 100, 200);
    ctl.menuLines[1].Visible = false;
    EXPECT_GT(Count(100, 100, 200, 40, Rgba{255, 255, 255, 255}), 30);
    EXPECT_EQ(Count(100, 200, 200, 40, Rgba{255, 255, 255, 255}), 0);
    EXPECT_EQ(Pixel(99, 110), kGreen);  // text starts at the label's left
}

TEST_F(Window, AlignmentAndOpaqueGround) {
    Label l = White("X", 100, 300);
    l.AutoSize = false;
    l.Width = 400;
    l.Height = 60;
    l.BackOpaque = true;
    l.BackColor = Rgb{0, 0, 128};
    l.Alignment = Align::Center;
    ctl.creditNames = l;
    const Rgba ground{0, 0, 128, 255};
    EXPECT_EQ(Pixel(101, 301), ground);
    EXPECT_EQ(Pixel(498, 358), ground);
    EXPECT_NE(Pixel(500, 300), ground);
    // A centred single letter: its ink lies near the middle, none at the sides.
    const Rgba ink{255, 255, 255, 255};
    EXPECT_GT(Count(270, 300, 60, 60, ink), 10);
    EXPECT_EQ(Count(100, 300, 150, 60, ink) + Count(350, 300, 150, 60, ink), 0);
    ctl.creditNames.Alignment = Align::Right;
    EXPECT_GT(Count(440, 300, 60, 60, ink), 10);
    EXPECT_EQ(Count(100, 300, 300, 60, ink), 0);
}

TEST_F(Window, LinesStayDrawnWhileTheClockFillsTheTextCache) {
    // A ticking clock renders a new caption every second; the cache of rendered
    // lines is emptied now and then. A label with several lines must never lose
    // lines it already looked up in the same frame.
    ctl.creditNames = White("\u2588\r\n\u2588\r\n0", 100, 100);
    ctl.clock = White("0", 600, 500);
    const std::string png = (folder / "first.png").string();
    plat.Present(ctl);
    ASSERT_TRUE(plat.SaveWindowPng(png));
    const PictureHandle first = plat.LoadPicture(png);
    int inkX = -1, inkY = -1;
    for (int y = 100; y < 130 && inkX < 0; ++y)
        for (int x = 100; x < 140 && inkX < 0; ++x)
            if (plat.PicturePixel(first, x, y) == Rgba{255, 255, 255, 255}) inkX = x, inkY = y;
    ASSERT_GE(inkX, 0);
    for (int i = 1; i < 450; ++i) {
        ctl.creditNames.Caption = "\u2588\r\n\u2588\r\n" + std::to_string(i);
        ctl.clock.Caption = std::to_string(i);
        ASSERT_EQ(Pixel(inkX, inkY), (Rgba{255, 255, 255, 255})) << "frame " << i;
    }
}

TEST_F(Window, BoardWithItsTitlesClippedToIt) {
    PictureBox& box = ctl.board;
    WritePng(folder / "cell.png", 70, 70, [](int, int) { return kRed; });
    plat.Board().DrawSprite(plat.LoadPicture((folder / "cell.png").string()), 0, 0);
    EXPECT_EQ(Pixel(20, 20), kBlack);  // hidden board
    box.Visible = true;
    EXPECT_EQ(Pixel(15, 15), kRed);
    EXPECT_EQ(Pixel(84, 84), kRed);
    EXPECT_EQ(Pixel(14, 14), kBlack);

    // A title label runs past the board's right edge: it is cut there.
    Label title = White("", 700, 0);
    title.AutoSize = false;
    title.Width = 200;
    title.Height = 50;
    title.BackOpaque = true;
    title.BackColor = Rgb{0, 128, 0};
    ctl.titles[0] = title;
    EXPECT_EQ(Pixel(15 + 705, 20), (Rgba{0, 128, 0, 255}));
    EXPECT_EQ(Pixel(15 + 775, 20), kBlack);
    box.Visible = false;
    EXPECT_EQ(Pixel(15 + 705, 20), kBlack);  // titles go with the board
}

TEST_F(Window, TextBoxShowsTextAndCaret) {
    TextBox& t = ctl.levelBox;
    t.Visible = true;
    const Rgba paper{255, 255, 255, 255}, ink{0, 0, 0, 255};
    EXPECT_EQ(Pixel(t.Left + t.Width - 5, t.Top + t.Height / 2), paper);
    const int empty = Count(t.Left + 2, t.Top + 2, t.Width - 4, t.Height - 4, ink);
    EXPECT_GT(empty, 0);  // the caret alone
    t.Text = "level1";
    t.SelStart = 6;
    EXPECT_GT(Count(t.Left + 2, t.Top + 2, t.Width - 4, t.Height - 4, ink), empty + 50);
    t.Visible = false;
    EXPECT_EQ(Pixel(t.Left + t.Width - 5, t.Top + t.Height / 2), kBlack);
}

// The caret is the one ink as tall as the line: find the columns of the box that hold it.
std::vector<int> caretColumns(HeadlessPlatform& plat, const Controls& ctl, ProgramFolder& folder) {
    const TextBox& t = ctl.levelBox;
    plat.Present(ctl);
    const std::string png = (folder / "box.png").string();
    if (!plat.SaveWindowPng(png)) return {};
    const PictureHandle shot = plat.LoadPicture(png);
    std::vector<int> columns;
    for (int x = t.Left + 1; x < t.Left + t.Width - 1; ++x) {
        int run = 0, longest = 0;
        for (int y = t.Top + 1; y < t.Top + t.Height - 1; ++y) {
            run = plat.PicturePixel(shot, x, y) == Rgba{0, 0, 0, 255} ? run + 1 : 0;
            longest = std::max(longest, run);
        }
        if (longest >= t.Height / 2 + 10) columns.push_back(x);
    }
    plat.FreePicture(shot);
    return columns;
}

TEST_F(Window, ALongNameScrollsInsideTheBoxAndTheCaretStaysInView) {
    TextBox& t = ctl.levelBox;
    t.Visible = true;
    t.Text = "averyveryverylongnameforalevelfile";
    t.SelStart = 34;
    std::vector<int> caret = caretColumns(plat, ctl, folder);
    ASSERT_EQ(caret.size(), 2u) << "the caret, two pixels wide, inside the box";
    EXPECT_GE(caret[0], t.Left + t.Width - 12) << "at the right edge: the text scrolled";
    EXPECT_LT(caret[1], t.Left + t.Width - 1);
    // Home: the start of the name is in view again, the caret before it.
    t.SelStart = 0;
    caret = caretColumns(plat, ctl, folder);
    ASSERT_EQ(caret.size(), 2u);
    EXPECT_LE(caret[0], t.Left + 6);
    const sdl::TextBoxLayout home = sdl::LayOutTextBox(t, nullptr);
    EXPECT_EQ(home.textX, t.Left + 5);
}

TEST_F(Window, HelpPageScrollsWithinItsLength) {
    std::string page = "<html><body>";
    for (int i = 0; i < 60; ++i) page += "<p>Line " + std::to_string(i) + "</p>";
    page += "</body></html>";
    folder.write("help/help.html", page);
    BrowserView& view = ctl.help;
    view.Top = 15;
    view.Visible = true;
    plat.LoadHelpPage(view, (folder / "help/help.html").string());
    EXPECT_EQ(view.Location, (folder / "help/help.html").string());
    EXPECT_EQ(plat.LogOf("navigate").size(), 1u);
    EXPECT_GT(Count(15, 15, 770, 490, kBlack), 50);  // words on white paper

    // Keys reach the shown view once the game has seen them.
    auto keys = [&](std::initializer_list<int> codes, int times = 1) {
        for (int i = 0; i < times; ++i)
            for (int code : codes)
                WindowTakesInput(ctl, InputEvent{InputEvent::Kind::Key, code, 0, {}}, plat.HelpPageHeight());
    };
    keys({vk::Down, vk::Down, vk::Up});
    EXPECT_EQ(view.ScrollY, 40);
    keys({vk::Next}, 20);
    const int bottom = view.ScrollY;
    EXPECT_GT(bottom, 490);
    keys({vk::Down});
    EXPECT_EQ(view.ScrollY, bottom);  // no further than the page goes
    keys({vk::Prior});
    EXPECT_EQ(view.ScrollY, bottom - 490);
    keys({vk::Prior}, 20);
    EXPECT_EQ(view.ScrollY, 0);

    plat.LoadHelpPage(view, (folder / "help/none.html").string());
    EXPECT_EQ(view.ScrollY, 0);
    EXPECT_EQ(Count(15, 15, 770, 490, kBlack), 0);  // an empty page
}

TEST_F(Window, OnlyAChangeReachesTheScreen) {
    plat.Present(ctl);
    const int first = plat.PresentCount();
    plat.Present(ctl);
    EXPECT_EQ(plat.PresentCount(), first) << "nothing changed: nothing is drawn";
    ctl.clock = White("00:10", 15, 522);
    plat.Present(ctl);
    EXPECT_EQ(plat.PresentCount(), first + 1);
    // Painting a hidden board changes nothing on screen; painting a shown one does.
    WritePng(folder / "cell.png", 70, 70, [](int, int) { return kRed; });
    plat.Board().DrawSprite(plat.LoadPicture((folder / "cell.png").string()), 0, 0);
    plat.Present(ctl);
    EXPECT_EQ(plat.PresentCount(), first + 1);
    ctl.board.Visible = true;
    plat.Present(ctl);
    EXPECT_EQ(plat.PresentCount(), first + 2);
    plat.Board().DrawSprite(plat.LoadPicture((folder / "cell.png").string()), 70, 0);
    plat.Present(ctl);
    EXPECT_EQ(plat.PresentCount(), first + 3);
}

TEST(TextCache, BoundedByTheMemoryOfItsLinesNotByTheirNumber) {
    // Every key typed into a long name makes a new line as wide as the name: a few
    // hundred of them must not pile up gigabytes of pixels between clearings.
    HeadlessPlatform plat({});  // brings SDL_ttf up
    sdl::SurfaceHandle surface(SDL_CreateRGBSurfaceWithFormat(0, 800, 600, 32, SDL_PIXELFORMAT_ARGB8888));
    sdl::RendererHandle renderer(SDL_CreateSoftwareRenderer(surface.get()));
    ASSERT_NE(renderer, nullptr);
    TTF_Font* font = sdl::LabelFont(30, true);
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

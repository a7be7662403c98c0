// The help view: pages load and lay out, draw only inside their rectangle, scroll, and show Czech and pictures.
#include "platform/html_view.h"
#include "platform/fonts.h"

#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

#include "ui/texts.h"

namespace {

namespace fs = std::filesystem;

constexpr Uint32 kSentinel = 0x00FF00FF;  // magenta: never in a help page
const SDL_Rect kHelpRect{15, 15, 770, 490};

class Canvas {
public:
    Canvas(int w = 800, int h = 600) {
        surface_ = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888);
        renderer_ = SDL_CreateSoftwareRenderer(surface_);
        Fill(kSentinel);
    }
    ~Canvas() {
        SDL_DestroyRenderer(renderer_);
        SDL_FreeSurface(surface_);
    }
    SDL_Renderer* renderer() const { return renderer_; }
    void Fill(Uint32 rgb) { SDL_FillRect(surface_, nullptr, 0xFF000000 | rgb); }
    Uint32 At(int x, int y) const {
        return static_cast<const Uint32*>(surface_->pixels)[y * surface_->pitch / 4 + x] & 0xFFFFFF;
    }
    bool Contains(const SDL_Rect& r, int x, int y) const {
        return x >= r.x && y >= r.y && x < r.x + r.w && y < r.y + r.h;
    }
    int CountOutside(const SDL_Rect& r, Uint32 notThis) const {
        int n = 0;
        for (int y = 0; y < surface_->h; ++y)
            for (int x = 0; x < surface_->w; ++x)
                if (!Contains(r, x, y) && At(x, y) != notThis) ++n;
        return n;
    }
    int CountInside(const SDL_Rect& r, Uint32 colour) const {
        int n = 0;
        for (int y = r.y; y < r.y + r.h; ++y)
            for (int x = r.x; x < r.x + r.w; ++x)
                if (At(x, y) == colour) ++n;
        return n;
    }
    // The box around every pixel of `r` that differs from `background`.
    SDL_Rect Ink(const SDL_Rect& r, Uint32 background) const {
        int x0 = r.x + r.w, y0 = r.y + r.h, x1 = r.x - 1, y1 = r.y - 1;
        for (int y = r.y; y < r.y + r.h; ++y)
            for (int x = r.x; x < r.x + r.w; ++x)
                if (At(x, y) != background) {
                    x0 = std::min(x0, x), y0 = std::min(y0, y);
                    x1 = std::max(x1, x), y1 = std::max(y1, y);
                }
        return x1 < x0 ? SDL_Rect{0, 0, 0, 0} : SDL_Rect{x0, y0, x1 - x0 + 1, y1 - y0 + 1};
    }
    bool SameInside(const Canvas& other, const SDL_Rect& r) const {
        for (int y = r.y; y < r.y + r.h; ++y)
            for (int x = r.x; x < r.x + r.w; ++x)
                if (At(x, y) != other.At(x, y)) return false;
        return true;
    }

private:
    SDL_Surface* surface_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
};

class TempDir {
public:
    TempDir() {
        std::string pattern = (fs::temp_directory_path() / "tk_help_XXXXXX").string();
        path_ = mkdtemp(pattern.data());
    }
    ~TempDir() { fs::remove_all(path_); }
    std::string Write(const std::string& name, const std::string& text) const {
        const fs::path p = path_ / name;
        fs::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << text;
        return p.string();
    }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

private:
    fs::path path_;
};

// White words on black, so ink is easy to find.
std::string Page(const std::string& body, const std::string& head = "") {
    return "<html><head><meta charset='utf-8'>" + head +
           "</head><body style='margin:0;background:#000000;color:#ffffff;font-size:20px'>" + body +
           "</body></html>";
}

std::string ShippedPage(const char* name) { return std::string(TK_DATA_DIR) + "/help/" + name; }

// Draws a page into the help rectangle of a fresh canvas.
void Show(tk::HtmlView& view, Canvas& canvas, int scrollY = 0) {
    view.Draw(canvas.renderer(), kHelpRect, scrollY);
    view.ReleaseTextures();
}

TEST(HelpPageLoading, ShippedPagesLoadAndNeedScrolling) {
    for (const char* name : {"help.html", "napoveda.html"}) {
        SCOPED_TRACE(name);
        tk::HtmlView view;
        ASSERT_TRUE(view.Load(ShippedPage(name), 770));
        EXPECT_GT(view.ContentHeight(), 490);
        EXPECT_LT(view.ContentHeight(), 6000);
        Canvas canvas;
        Show(view, canvas);
        EXPECT_EQ(canvas.CountOutside(kHelpRect, kSentinel), 0);
        // The pages' own headings colour must show.
        EXPECT_GT(canvas.CountInside(kHelpRect, 0xE0FF00), 50);
    }
}

// A full stop or a comma alone at the start of a line comes from markup that lets the
// layout break between a word (or a key's box) and its punctuation.
TEST(HelpPageText, NoLineOfAShippedPageStartsWithPunctuation) {
    for (const char* name : {"help.html", "napoveda.html"}) {
        SCOPED_TRACE(name);
        tk::HtmlView view;
        ASSERT_TRUE(view.Load(ShippedPage(name), kHelpRect.w));
        const std::vector<std::string> lines = view.TextLines();
        ASSERT_GT(lines.size(), 40u);
        for (const std::string& line : lines) {
            ASSERT_FALSE(line.empty());
            EXPECT_EQ(std::string(".,;:!?)").find(line[0]), std::string::npos) << line;
            for (const char* closing : {"\u2026", "\u201C", "\u00BB"})  // … “ »
                EXPECT_NE(line.rfind(closing, 0), 0u) << line;
        }
    }
}

// A shipped page's text as laid out at the help view's width, its lines joined by blanks;
// empty when it does not load.
std::string PageText(const char* name) {
    tk::HtmlView view;
    if (!view.Load(ShippedPage(name), kHelpRect.w)) return "";
    std::string text;
    for (const std::string& line : view.TextLines()) text += line + " ";
    return text;
}

// What a player needs and cannot find out by trying: the game's own captions, which
// names "Choose level:" takes, that the clock stops during the quit question, and when a
// chosen level is remembered.
TEST(HelpPageText, PagesNameTheCaptionsTheLevelsAndWhatIsRemembered) {
    std::vector<std::string> levels;
    for (const auto& e : fs::directory_iterator(std::string(TK_DATA_DIR) + "/levels"))
        if (e.path().extension() == ".kulap") levels.push_back(e.path().stem().string());
    std::sort(levels.begin(), levels.end());
    ASSERT_FALSE(levels.empty());
    for (bool czech : {true, false}) {
        const char* name = czech ? "napoveda.html" : "help.html";
        SCOPED_TRACE(name);
        const std::string text = PageText(name);
        ASSERT_FALSE(text.empty());
        const std::string quit = tk::texts::quitQuestion(czech);
        for (const std::string& caption :
             {tk::texts::optionsChooseLevel(czech), tk::texts::optionsDisplay(czech, true),
              tk::texts::optionsDisplay(czech, false), tk::texts::optionsMusic(czech, true),
              tk::texts::optionsMusic(czech, false), tk::texts::menuLine(czech, 0), quit.substr(0, quit.find('\r')),
              levels.front(), levels.back()})
            EXPECT_NE(text.find(caption), std::string::npos) << caption;
        EXPECT_NE(text.find(czech ? "Dokud otázka svítí, hodiny stojí." : "The clock stands still while the question is asked."),
                  std::string::npos);
        EXPECT_NE(text.find(czech ? "Zvolenou úroveň si zapamatuje také, ale až když po její volbě přepneš celou obrazovku nebo hudbu"
                                  : "A chosen level is remembered too, but only once full screen or music has been switched after choosing it"),
                  std::string::npos);
    }
}

// Every controller button the game takes is named on both pages, in its own section.
TEST(HelpPageText, PagesShowTheControllersButtons) {
    for (bool czech : {true, false}) {
        const char* name = czech ? "napoveda.html" : "help.html";
        SCOPED_TRACE(name);
        const std::string text = PageText(name);
        const std::size_t section = text.find(czech ? "S herním ovladačem" : "With a game controller");
        ASSERT_NE(section, std::string::npos);
        for (const char* button : {czech ? "Kříž" : "D-pad", czech ? "levá páčka" : "left stick", "LB", "RB", "X",
                                   "Y", "A", "B", "Back", "Start"})
            EXPECT_NE(text.find(std::string(button) + " ", section), std::string::npos) << button;
    }
}

// The hint's key, its price and every word it and the best times may show.
TEST(HelpPageText, PagesExplainTheHintAndTheBestTimes) {
    for (bool czech : {true, false}) {
        const char* name = czech ? "napoveda.html" : "help.html";
        SCOPED_TRACE(name);
        const std::string text = PageText(name);
        ASSERT_FALSE(text.empty());
        std::string noWay = tk::texts::noWayFromHere(czech);
        noWay.replace(noWay.find("\r\n"), 2, " ");  // one line on the page
        for (const std::string& words :
             {noWay, tk::texts::noHint(czech), tk::texts::newBest(czech),
              tk::texts::bestLine(czech, "01:12"), std::string(czech ? "desetinu" : "a tenth of the level's time"),
              std::string(czech ? "Stiskni H" : "Press H"), std::string("scores.txt")})
            EXPECT_NE(text.find(words), std::string::npos) << words;
    }
}

TEST(HelpPageText, LinesFollowTheLayout) {
    TempDir dir;
    tk::HtmlView view;
    ASSERT_TRUE(view.Load(dir.Write("p.html", Page("<p>one <b>two</b>. three</p><p>four</p>")), 400));
    EXPECT_EQ(view.TextLines(), (std::vector<std::string>{"one two. three", "four"}));
    // Too narrow for two words: each on a line of its own, the full stop with its word.
    ASSERT_TRUE(view.Load(dir.Write("q.html", Page("<p>wordone <b>wordtwo</b>.</p>")), 90));
    const std::vector<std::string> narrow = view.TextLines();
    ASSERT_EQ(narrow.size(), 2u);
    EXPECT_EQ(narrow[0], "wordone");
}

TEST(HelpPageLoading, EveryPictureAPageNamesIsShipped) {
    // Pictures are named by hand in the pages and the sheet; a typo shows as a hole.
    const std::regex ref(R"((?:src=\"|url\()([^\")]+))");
    for (const char* name : {"help.html", "napoveda.html", "help.css"}) {
        std::ifstream in(ShippedPage(name));
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        int found = 0;
        for (std::sregex_iterator it(text.begin(), text.end(), ref), end; it != end; ++it, ++found)
            EXPECT_TRUE(fs::is_regular_file(ShippedPage((*it)[1].str().c_str()))) << name << ": " << (*it)[1];
        EXPECT_GT(found, 3) << name;
    }
}

TEST(HelpPageLoading, UnreadablePagesLeaveAnEmptyView) {
    TempDir dir;
    tk::HtmlView view;
    ASSERT_TRUE(view.Load(dir.Write("a.html", Page("<p>x</p><p>y</p>")), 770));
    ASSERT_GT(view.ContentHeight(), 0);

    // A failed load must not keep showing the page before it.
    EXPECT_FALSE(view.Load(dir / "missing.html", 770));
    EXPECT_EQ(view.ContentHeight(), 0);
    EXPECT_FALSE(view.Load(dir / "", 770));  // a folder, not a file
    EXPECT_EQ(view.ContentHeight(), 0);

    Canvas canvas;
    Show(view, canvas);
    EXPECT_EQ(canvas.CountOutside(kHelpRect, kSentinel), 0);
    EXPECT_EQ(canvas.CountInside(kHelpRect, kSentinel), 0);  // drawn as a blank page
    EXPECT_EQ(canvas.Ink(kHelpRect, 0xFFFFFF).w, 0);

    view.Clear();
    EXPECT_EQ(view.ContentHeight(), 0);
}

TEST(HelpPageLoading, OddFilesLoadWithoutHarm) {
    TempDir dir;
    tk::HtmlView view;
    EXPECT_TRUE(view.Load(dir.Write("empty.html", ""), 770));
    EXPECT_LT(view.ContentHeight(), 50);

    std::string noise;
    for (int i = 0; i < 4096; ++i) noise += static_cast<char>((i * 7919) % 256);
    view.Load(dir.Write("noise.html", noise), 770);
    const std::string broken = "<table><tr><td><ul><li><b><i>Nápo\xC4</table></b><p><img src=''><img>"
                               "<div style='width:-5px;font-size:0;border:9999px solid red'>x";
    EXPECT_TRUE(view.Load(dir.Write("broken.html", broken), 770));
    Canvas canvas;
    Show(view, canvas);
    EXPECT_EQ(canvas.CountOutside(kHelpRect, kSentinel), 0);
    EXPECT_FALSE(view.Load(dir.Write("zero.html", Page("<p>x</p>")), 0));
}

TEST(HelpPageLoading, LongerTextMakesATallerPage) {
    TempDir dir;
    std::string many;
    for (int i = 0; i < 60; ++i) many += "<p>Řádek číslo " + std::to_string(i) + "</p>";
    tk::HtmlView one, sixty;
    ASSERT_TRUE(one.Load(dir.Write("1.html", Page("<p>Řádek</p>")), 770));
    ASSERT_TRUE(sixty.Load(dir.Write("60.html", Page(many)), 770));
    EXPECT_GT(sixty.ContentHeight(), 30 * one.ContentHeight());

    // Narrower layout wraps the same words onto more lines.
    std::string words;
    for (int i = 0; i < 80; ++i) words += "voda ";
    tk::HtmlView wide, narrow;
    const std::string para = dir.Write("w.html", Page("<p>" + words + "</p>"));
    ASSERT_TRUE(wide.Load(para, 770));
    ASSERT_TRUE(narrow.Load(para, 200));
    EXPECT_GT(narrow.ContentHeight(), 2 * wide.ContentHeight());
}

TEST(HelpPageDrawing, StaysInsideItsRectangleAndTheCallersClip) {
    tk::HtmlView view;
    ASSERT_TRUE(view.Load(ShippedPage("help.html"), 770));
    Canvas canvas;
    const SDL_Rect clip{100, 100, 200, 100};
    SDL_RenderSetClipRect(canvas.renderer(), &clip);
    SDL_SetRenderDrawColor(canvas.renderer(), 1, 2, 3, 4);
    view.Draw(canvas.renderer(), kHelpRect, 0);
    EXPECT_EQ(canvas.CountOutside(clip, kSentinel), 0);
    EXPECT_EQ(canvas.CountInside(clip, kSentinel), 0);

    // The window draws its labels after the page with the state it had set.
    SDL_Rect after;
    SDL_RenderGetClipRect(canvas.renderer(), &after);
    EXPECT_TRUE(SDL_RectEquals(&after, &clip));
    Uint8 r, g, b, a;
    SDL_GetRenderDrawColor(canvas.renderer(), &r, &g, &b, &a);
    EXPECT_EQ((std::array<int, 4>{r, g, b, a}), (std::array<int, 4>{1, 2, 3, 4}));
    view.ReleaseTextures();
}

TEST(HelpPageDrawing, ScrollingMovesTheTextAndRedrawsAreStable) {
    TempDir dir;
    std::string lines;
    for (int i = 0; i < 40; ++i) lines += "<p style='margin:0;height:40px'>line " + std::to_string(i) + "</p>";
    tk::HtmlView view;
    ASSERT_TRUE(view.Load(dir.Write("s.html", Page(lines)), 770));
    EXPECT_EQ(view.ContentHeight(), 1600);

    Canvas top, again, down;
    Show(view, top, 0);
    Show(view, again, 0);
    Show(view, down, 40);
    EXPECT_TRUE(top.SameInside(again, kHelpRect));
    EXPECT_FALSE(top.SameInside(down, kHelpRect));
    // One line scrolled: line 1 now stands where line 0 stood.
    const SDL_Rect row0{15, 15, 200, 40};
    const SDL_Rect row1{15, 55, 200, 40};
    SDL_Rect inkTop = top.Ink(row0, 0), inkDown = down.Ink(row0, 0), inkNext = top.Ink(row1, 0);
    EXPECT_EQ(inkDown.y, inkNext.y - 40);
    EXPECT_EQ(inkDown.h, inkNext.h);
    EXPECT_GT(inkTop.w, 0);
}

TEST(HelpPageDrawing, ASecondPageAndASecondRendererShowTheirOwnContent) {
    TempDir dir;
    tk::HtmlView view;
    ASSERT_TRUE(view.Load(dir.Write("a.html", Page("<p style='margin:0'>aaaaaaaa</p>")), 770));
    Canvas first;
    view.Draw(first.renderer(), kHelpRect, 0);
    // Drawing on another renderer must not reuse the first one's textures.
    Canvas second;
    view.Draw(second.renderer(), kHelpRect, 0);
    view.ReleaseTextures();
    EXPECT_TRUE(first.SameInside(second, kHelpRect));

    ASSERT_TRUE(view.Load(dir.Write("b.html", Page("<p style='margin:0'>bbbbbbbbbbbbbbbb</p>")), 770));
    Canvas third;
    Show(view, third);
    EXPECT_GT(third.Ink(kHelpRect, 0).w, first.Ink(kHelpRect, 0).w * 3 / 2);
}

TEST(HelpPageText, CzechLaysOutAsUtf8) {
    TempDir dir;
    auto inkOf = [&](const std::string& word) {
        tk::HtmlView view;
        EXPECT_TRUE(view.Load(dir.Write("t.html", Page("<p style='margin:0'>" + word + "</p>")), 770));
        Canvas canvas;
        Show(view, canvas);
        return canvas.Ink(kHelpRect, 0);
    };
    const SDL_Rect czech = inkOf("Nápověda");
    const SDL_Rect plain = inkOf("Napoveda");
    EXPECT_GT(czech.w, 0);
    // Read as bytes instead of letters, "á" and "ě" would be two glyphs each.
    EXPECT_NEAR(czech.w, plain.w, plain.w / 10);
    // The accents stand above the letters (words without capitals or ascenders, whose
    // tops would reach as high as an accent in some fonts).
    EXPECT_LT(inkOf("áěů").y, inkOf("aeu").y);

    // Upper-casing by style knows the Czech letters.
    tk::HtmlView styled, typed;
    ASSERT_TRUE(styled.Load(dir.Write("u1.html", Page("<p style='text-transform:uppercase'>žluťoučký kůň</p>")), 770));
    ASSERT_TRUE(typed.Load(dir.Write("u2.html", Page("<p>ŽLUŤOUČKÝ KŮŇ</p>")), 770));
    Canvas a, b;
    Show(styled, a);
    Show(typed, b);
    EXPECT_TRUE(a.SameInside(b, kHelpRect));
}

TEST(HelpPageResources, PicturesAndStylesheetAreFoundBesideThePage) {
    TempDir dir;
    SDL_Surface* red = SDL_CreateRGBSurfaceWithFormat(0, 30, 20, 32, SDL_PIXELFORMAT_ARGB8888);
    SDL_FillRect(red, nullptr, 0xFFFF0000);
    fs::create_directories(dir / "graphics");
    ASSERT_EQ(IMG_SavePNG(red, (dir / "graphics/red.png").c_str()), 0);
    SDL_FreeSurface(red);
    dir.Write("help/look.css", "body { background: #123456; }");

    const std::string html =
        "<html><head><link rel='stylesheet' href='look.css'></head><body style='margin:0'>"
        "<img src='../graphics/red.png'><br><img src='../graphics/none.png' width='40' height='40'>"
        "<p>after</p></body></html>";
    tk::HtmlView view;
    ASSERT_TRUE(view.Load(dir.Write("help/page.html", html), 770));
    Canvas canvas;
    Show(view, canvas);
    EXPECT_EQ(canvas.At(15 + 15, 15 + 10), 0xFF0000u);
    EXPECT_EQ(canvas.CountInside(kHelpRect, 0xFF0000), 30 * 20);
    EXPECT_EQ(canvas.At(700, 400), 0x123456u);  // the sheet's colour fills the view
    // The missing picture keeps its place in the layout.
    EXPECT_GE(view.ContentHeight(), 20 + 40);
}

TEST(HelpPageResources, ListsAndTablesDraw) {
    TempDir dir;
    tk::HtmlView view;
    ASSERT_TRUE(view.Load(dir.Write("l.html",
        Page("<ul style='margin:0'><li>a</li><li>b</li></ul>"
             "<table style='border-spacing:0'><tr><td style='width:300px'>x</td>"
             "<td style='background:#00ff00'>y</td></tr></table>")), 770));
    Canvas canvas;
    Show(view, canvas);
    // Bullets stand left of the items' text, inside the list's padding.
    const SDL_Rect bullets{15, 15, 35, 50};
    EXPECT_GT(canvas.Ink(bullets, 0).w, 0);
    // The second cell starts after the first one's 300 px.
    const SDL_Rect green = [&] {
        int minx = 9999;
        for (int y = 15; y < 505; ++y)
            for (int x = 15; x < 785; ++x)
                if (canvas.At(x, y) == 0x00FF00) minx = std::min(minx, x);
        return SDL_Rect{minx, 0, 0, 0};
    }();
    EXPECT_GE(green.x, 15 + 300);
    EXPECT_LT(green.x, 15 + 320);
}

}  // namespace

namespace {

// A rounded box far taller than the view, as a broken or hostile page may hold.
std::string TallRoundedBox(int height) {
    return Page("<div style='height:" + std::to_string(height) +
                "px;background:#ff0000;border-radius:12px'>x</div>");
}

}  // namespace

TEST(HelpPageDrawing, ATallRoundedBoxCostsRowsOfTheViewNotOfTheBox) {
    TempDir dir;
    tk::HtmlView view;
    ASSERT_TRUE(view.Load(dir.Write("tall.html", TallRoundedBox(2000000)), 770));
    Canvas canvas;
    for (int scroll : {0, 1000000, 2000000 - 300}) {
        SCOPED_TRACE(scroll);
        canvas.Fill(kSentinel);
        view.Draw(canvas.renderer(), kHelpRect, scroll);
        EXPECT_LT(view.FillsInLastDraw(), 4 * kHelpRect.h);
        // The part in view is drawn all the same: red, with the corners where they fall.
        EXPECT_GT(canvas.CountInside(kHelpRect, 0xFF0000), 700 * 200);
        EXPECT_EQ(canvas.CountOutside(kHelpRect, kSentinel), 0);
    }
    view.ReleaseTextures();
}

TEST(HelpPageText, APageOfManySizesLeavesNoFontOpenAfterIt) {
    TempDir dir;
    std::string body;
    for (int px = 6; px < 400; px += 3) body += "<span style='font-size:" + std::to_string(px) + "px'>a</span>";
    const int before = tk::OpenFontCount();
    {
        tk::HtmlView view;
        ASSERT_TRUE(view.Load(dir.Write("sizes.html", Page(body)), 770));
        Canvas canvas;
        Show(view, canvas);
        EXPECT_GT(tk::OpenFontCount(), before + 100) << "each size has a face of its own while shown";
        ASSERT_TRUE(view.Load(dir.Write("small.html", Page("<p>x</p>")), 770));
        EXPECT_LT(tk::OpenFontCount(), before + 5) << "a new page lets the old page's faces go";
    }
    EXPECT_EQ(tk::OpenFontCount(), before);
    // A size no view could show is drawn at the view's height at most, and a word
    // thousands of letters long at that size is left out rather than take gigabytes.
    tk::HtmlView view;
    ASSERT_TRUE(view.Load(dir.Write("huge.html", Page("<span style='font-size:100000px'>W " +
                                                      std::string(5000, 'W') + "</span>")),
                          770));
    EXPECT_LT(view.ContentHeight(), 3 * kHelpRect.h);
    Canvas canvas;
    Show(view, canvas);
    EXPECT_GT(canvas.CountInside(kHelpRect, 0xFFFFFF), 1000) << "the short word is drawn";
}

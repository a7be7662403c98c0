// How the pictures work together on screen: readable texts over the window, steady shapes, recognisable roles.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "asset_support.h"

namespace {

using namespace tk::assets;
using Looks = AssetTest;

struct Region {
    int x0, y0, x1, y1;  // inclusive-exclusive
};

// The brightest and darkest relative luminance inside a region, ignoring the most extreme 0.5 %
// so that a stray speck of noise does not decide the verdict.
void luminanceRange(SDL_Surface* s, Region r, double& darkest, double& brightest) {
    std::vector<double> l;
    for (int y = r.y0; y < r.y1; ++y)
        for (int x = r.x0; x < r.x1; ++x) {
            const Pixel p = pixel(s, x, y);
            l.push_back(relativeLuminance(p.r, p.g, p.b));
        }
    std::sort(l.begin(), l.end());
    darkest = l[l.size() / 200];
    brightest = l[l.size() - 1 - l.size() / 200];
}

TEST_F(Looks, TextsDrawnOverTheWindowPictureStayReadable) {
    Surface okno = loadPicture("okno.jpg");
    ASSERT_TRUE(okno);
    const double grey = relativeLuminance(208, 208, 208), accent = relativeLuminance(224, 255, 0),
                 black = relativeLuminance(0, 0, 0);
    double dark, bright;

    // Menu lines start at x 103, tops 150..410, 61 px high; the cursor sits at x 30 beside them.
    luminanceRange(okno.get(), {30, 146, 420, 475}, dark, bright);
    EXPECT_GE(contrast(grey, bright), 4.5) << "menu lines over the brightest part of their band";
    EXPECT_GE(contrast(accent, bright), 4.5) << "the highlighted line";

    // Credits: black headings from x 552, yellow-green names from x 659, lines from y 519.
    luminanceRange(okno.get(), {556, 521, 622, 590}, dark, bright);
    EXPECT_GE(contrast(black, dark), 4.5) << "headings over the darkest part of their plate";
    luminanceRange(okno.get(), {676, 521, 798, 590}, dark, bright);
    EXPECT_GE(contrast(accent, bright), 4.5) << "names over the brightest part of their strip";

    // The game's name stands above the menu: bright lettering between the frame and the first line.
    luminanceRange(okno.get(), {150, 40, 650, 125}, dark, bright);
    EXPECT_GT(bright, 0.5);
}

TEST_F(Looks, WaterNeverChangesThePipesOutline) {
    // The wet picture replaces the dry one in place; any difference in shape would make the pipe jump.
    for (char letter = 'A'; letter <= 'K'; ++letter) {
        SCOPED_TRACE(std::string(1, letter));
        Surface dry = loadPicture(std::string("trubka1") + letter + ".png");
        Surface wet = loadPicture(std::string("trubka2") + letter + ".png");
        ASSERT_TRUE(dry && wet);
        int worst = 0;
        for (int y = 0; y < 70; ++y)
            for (int x = 0; x < 70; ++x)
                worst = std::max(worst, std::abs(pixel(dry.get(), x, y).a - pixel(wet.get(), x, y).a));
        EXPECT_LE(worst, 8);
    }
}

TEST_F(Looks, TheFigureTurnsAboutTheMiddleOfItsCell) {
    // The turning poses are rotated about the cell centre while the pipe turns; an off-centre figure
    // would swing round the cell instead of standing on it.
    for (const char* name : {"hrac.png", "hracL.png", "hracR.png"}) {
        SCOPED_TRACE(name);
        Surface s = loadPicture(name);
        ASSERT_TRUE(s);
        double sx = 0, sy = 0, n = 0;
        for (int y = 0; y < 70; ++y)
            for (int x = 0; x < 70; ++x)
                if (pixel(s.get(), x, y).a >= 128) sx += x, sy += y, n += 1;
        ASSERT_GT(n, 70 * 70 * 0.12) << "big enough to find on the board: " << n;
        EXPECT_NEAR(sx / n, 34.5, 4.0);
        EXPECT_NEAR(sy / n, 34.5, 4.0);
        // Nothing of it is cut off by the cell's edge.
        for (int i = 0; i < 70; ++i) {
            EXPECT_LT(pixel(s.get(), i, 0).a, 128);
            EXPECT_LT(pixel(s.get(), i, 69).a, 128);
            EXPECT_LT(pixel(s.get(), 0, i).a, 128);
            EXPECT_LT(pixel(s.get(), 69, i).a, 128);
        }
    }
}

// Mean of (blue - red) over a picture's visible pixels, weighted by their opacity.
double blueness(SDL_Surface* s) {
    double sum = 0, weight = 0;
    for (int y = 0; y < s->h; ++y)
        for (int x = 0; x < s->w; ++x) {
            const Pixel p = pixel(s, x, y);
            sum += (p.b - p.r) * p.a;
            weight += p.a;
        }
    return weight > 0 ? sum / weight : 0;
}

TEST_F(Looks, EachPieceReadsAsWhatItIs) {
    Surface dryBed = loadPicture("pole1.png"), wetBed = loadPicture("pole2.png");
    Surface floor = loadPicture("pole0.png"), source = loadPicture("zdroj.png");
    ASSERT_TRUE(dryBed && wetBed && floor && source);
    // The wet bed is watery, the dry bed is not.
    EXPECT_GT(blueness(wetBed.get()), blueness(dryBed.get()) + 30);
    // The source holds water.
    EXPECT_GT(blueness(source.get()), 50);
    // Floor cells need no water and must not look wet.
    EXPECT_LT(blueness(floor.get()), 15);

    // The solved picture is bright and green in the middle, the time-up picture dark with red.
    Surface won = loadPicture("hura.png"), lost = loadPicture("smula.png");
    ASSERT_TRUE(won && lost);
    const Pixel w = pixel(won.get(), 385, 245 + 75);  // the medal, below the tick
    EXPECT_GT(w.g, w.r + 40);
    EXPECT_GT(w.g, w.b + 40);
    double redRing = 0;
    for (int a = 0; a < 360; a += 10) {
        const Pixel p = pixel(lost.get(), static_cast<int>(385 + 120 * std::cos(a * 3.14159 / 180)),
                              static_cast<int>(245 + 120 * std::sin(a * 3.14159 / 180)));
        redRing += (p.r - p.g) / 36.0;
    }
    EXPECT_GT(redRing, 80);
}

TEST_F(Looks, HintArrowsReadInGreyAndPointTheirWay) {
    // A bright face inside a black edge: in greyscale the two lie far apart, so the arrow
    // shows on dark backgrounds and on bright metal alike.
    for (const char* name : {"sipka0.png", "sipka1.png", "sipka2.png", "sipka3.png", "sipkaL.png", "sipkaR.png"}) {
        SCOPED_TRACE(name);
        Surface s = loadPicture(name);
        ASSERT_TRUE(s);
        std::vector<double> opaque;
        for (int y = 0; y < 70; ++y)
            for (int x = 0; x < 70; ++x) {
                const Pixel p = pixel(s.get(), x, y);
                if (p.a >= 250) opaque.push_back(relativeLuminance(p.r, p.g, p.b));
            }
        ASSERT_GT(opaque.size(), 70u * 70u / 12) << "big enough to see";
        std::sort(opaque.begin(), opaque.end());
        EXPECT_GE(contrast(opaque[opaque.size() / 10], opaque[opaque.size() * 9 / 10]), 7.0);
        // Clear corners: the board shows round it.
        EXPECT_LT(pixel(s.get(), 0, 0).a, 8);
        EXPECT_LT(pixel(s.get(), 69, 0).a, 8);
    }
    // A step arrow's head is its widest part and lies toward the neighbour (0 left, 1 up,
    // 2 right, 3 down); the game draws it half a cell that way from the figure.
    for (int dir = 0; dir < 4; ++dir) {
        SCOPED_TRACE(dir);
        Surface s = loadPicture("sipka" + std::to_string(dir) + ".png");
        ASSERT_TRUE(s);
        const auto across = [&](int along) {  // opaque pixels across the arrow at a point along it
            int n = 0;
            for (int t = 0; t < 70; ++t) {
                const int x = dir % 2 == 0 ? (dir == 2 ? along : 69 - along) : t;
                const int y = dir % 2 == 0 ? t : (dir == 3 ? along : 69 - along);
                n += pixel(s.get(), x, y).a >= 128;
            }
            return n;
        };
        EXPECT_GT(across(45), across(20) * 3 / 2);
    }
    // The turning arrows are mirror images of each other, one for each way (their shadows
    // fall the same way, so only the arrows themselves are compared).
    Surface left = loadPicture("sipkaL.png"), right = loadPicture("sipkaR.png");
    ASSERT_TRUE(left && right);
    int mismatched = 0;
    for (int y = 0; y < 70; ++y)
        for (int x = 0; x < 70; ++x) mismatched += (pixel(left.get(), x, y).a >= 250) != (pixel(right.get(), 69 - x, y).a >= 250);
    EXPECT_LT(mismatched, 70 * 70 / 50);
}

TEST_F(Looks, BackgroundsAreCalmAndEachOneIsItsOwnPlace) {
    struct Stats {
        double r, g, b, spread;
    };
    std::vector<Stats> all;
    for (int i = 1; i <= 7; ++i) {
        SCOPED_TRACE(i);
        Surface s = loadPicture("pozadi" + std::to_string(i) + ".jpg");
        ASSERT_TRUE(s);
        double r = 0, g = 0, b = 0, l = 0, l2 = 0, n = 0;
        for (int y = 0; y < 490; y += 2)
            for (int x = 0; x < 770; x += 2) {
                const Pixel p = pixel(s.get(), x, y);
                r += p.r, g += p.g, b += p.b, n += 1;
                const double v = luminance(p);
                l += v, l2 += v * v;
            }
        const double mean = l / n;
        const Stats st{r / n, g / n, b / n, std::sqrt(std::max(0.0, l2 / n - mean * mean))};
        // Darker than the light metal of the pipes, never black, and without loud contrasts.
        EXPECT_GT(mean, 35);
        EXPECT_LT(mean, 140);
        EXPECT_LT(st.spread, 32);
        all.push_back(st);
    }
    for (std::size_t i = 0; i < all.size(); ++i)
        for (std::size_t j = i + 1; j < all.size(); ++j) {
            const double d = std::hypot(all[i].r - all[j].r, all[i].g - all[j].g, all[i].b - all[j].b) +
                             std::fabs(all[i].spread - all[j].spread);
            EXPECT_GT(d, 6) << "backgrounds " << i + 1 << " and " << j + 1 << " look alike";
        }
}

TEST_F(Looks, EveryIconSizeKeepsTheHelmetBesideThePipe) {
    // Shrunk from the large drawing, the helmet melts away at 16 and 32 px and the icon reads
    // as a plain "T": every size must keep a patch of the helmet's orange and yellow, and
    // the pale metal and water of the pipe.
    for (int px : {16, 32, 48, 64, 128, 256}) {
        SCOPED_TRACE(px);
        Surface icon = loadRgba(IMG_Load((kData + "/../desktop/icons/" + std::to_string(px) + ".png").c_str()));
        ASSERT_TRUE(icon);
        ASSERT_EQ(icon->w, px);
        int helmet = 0, pipe = 0;
        for (int y = 0; y < px; ++y)
            for (int x = 0; x < px; ++x) {
                const Pixel p = pixel(icon.get(), x, y);
                if (p.a < 200) continue;
                if (p.r > 180 && p.r > p.g && p.b < 100) ++helmet;
                if (p.b > 200 && p.g > 150) ++pipe;
            }
        EXPECT_GE(helmet, px * px * 3 / 100) << "helmet pixels";
        EXPECT_GE(pipe, px * px * 10 / 100) << "pipe pixels";
    }
}

}  // namespace

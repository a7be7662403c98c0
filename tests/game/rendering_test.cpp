// Painting cells and the figure: the layers of every kind of cell, the background
// pieces lining up, border cells, and pictures that are missing or out of range.
#include "play_fixture.h"

namespace tk::test {
namespace {

class Rendering : public PlayTest {
protected:
    Rendering() {
        form().board.Fill(kBlankTile);
        form().flow.Fill(flowUnset);
        form().backgroundNumber = 3;
        form().sourceX = 5;
        form().sourceY = 3;
        form().playerX = 0;
        form().playerY = 0;
    }

    // What shows in the bands of one cell: underlay, the clear band, pipe, figure spot.
    void expectCell(int x, int y, Rgba underlay, bool clearShowsBackground, Rgba pipe,
                    const char* what) {
        SCOPED_TRACE(what);
        EXPECT_EQ(pixel(x, y, 3, rows::underlayTop + 2), underlay);
        if (clearShowsBackground) {
            EXPECT_EQ(pixel(x, y, 50, rows::clearTop + 3),
                      backgroundAt(70 * x + 50, 70 * y + rows::clearTop + 3));
        }
        EXPECT_EQ(pixel(x, y, 60, rows::pipeTop + 4), pipe);
    }
    Rgba bg(int x, int y, int px, int py) const { return backgroundAt(70 * x + px, 70 * y + py); }
};

TEST_F(Rendering, EveryKindOfCellPaintsItsLayers) {
    // Floor: background and the floor picture, never a pipe or the source picture,
    // even when the source position is on it.
    form().board(1, 1) = kFloorTile;
    form().VykresliPole(1, 1);
    expectCell(1, 1, colourOf(slotFloor), true, bg(1, 1, 60, rows::pipeTop + 4), "floor");
    form().board(5, 3) = kFloorTile;
    form().flow(5, 3) = flowWet;
    form().VykresliPole(5, 3);
    expectCell(5, 3, colourOf(slotFloor), true, bg(5, 3, 60, rows::pipeTop + 4), "floor on source");

    // A blank cell is dry whatever its water says, and carries no pipe.
    form().board(2, 1) = kBlankTile;
    form().flow(2, 1) = flowWet;
    form().VykresliPole(2, 1);
    expectCell(2, 1, colourOf(dryBase + 11), true, bg(2, 1, 60, rows::pipeTop + 4), "blank");

    // A blank source cell (its tile is being turned) shows only the source picture.
    form().board(5, 3) = kBlankTile;
    form().VykresliPole(5, 3);
    expectCell(5, 3, colourOf(slotSource), true, bg(5, 3, 60, rows::pipeTop + 4), "blank source");

    // Pipes: wet set for flow 1, dry set for 0 and for a cell not evaluated yet.
    form().board(3, 1) = 'C';
    form().flow(3, 1) = flowWet;
    form().VykresliPole(3, 1);
    expectCell(3, 1, colourOf(wetBase + 11), true, colourOf(wetBase + 2), "wet C");
    form().board(4, 1) = 'K';
    form().flow(4, 1) = flowDry;
    form().VykresliPole(4, 1);
    expectCell(4, 1, colourOf(dryBase + 11), true, colourOf(dryBase + 10), "dry K");
    form().board(6, 1) = 'A';
    form().flow(6, 1) = flowUnset;
    form().VykresliPole(6, 1);
    expectCell(6, 1, colourOf(dryBase + 11), true, colourOf(dryBase + 0), "unevaluated A");

    // The source cell: source picture under a wet pipe, or a dry one before any evaluation.
    form().board(5, 3) = 'G';
    form().flow(5, 3) = flowWet;
    form().VykresliPole(5, 3);
    expectCell(5, 3, colourOf(slotSource), true, colourOf(wetBase + 6), "wet source");
    form().flow(5, 3) = flowUnset;
    form().VykresliPole(5, 3);
    expectCell(5, 3, colourOf(slotSource), true, colourOf(dryBase + 6), "unevaluated source");
}

TEST_F(Rendering, RepaintingACellWipesTheFigureAndNothingElse) {
    form().board(0, 0) = 'F';
    form().board(1, 0) = 'F';
    form().flow(0, 0) = form().flow(1, 0) = flowDry;
    form().VykresliPole(0, 0);
    form().VykresliPole(1, 0);
    form().VykresliHrace();
    EXPECT_EQ(pixel(0, 0, rows::figureLeft, rows::figureTop), colourOf(slotPlayer));
    EXPECT_EQ(figureLeftEdge(rows::figureTop), rows::figureLeft);

    form().VykresliPole(0, 0);
    EXPECT_EQ(figureLeftEdge(rows::figureTop), -1);
    EXPECT_EQ(pixel(0, 0, rows::figureLeft, rows::figureTop), bg(0, 0, rows::figureLeft, rows::figureTop));
    EXPECT_EQ(pixel(1, 0, 60, rows::pipeTop), colourOf(dryBase + 5)) << "the neighbour was touched";
}

TEST_F(Rendering, BackgroundPiecesLineUpAcrossTheWholeBoard) {
    for (int x = 0; x < kCols; ++x)
        for (int y = 0; y < kRows; ++y) form().VykresliPole(x, y);
    // Every row of pixels no layer covers shows the background picture's own pixel at
    // the same place: the pieces join into its top-left 770 x 490 without a seam.
    int checked = 0, wrong = 0;
    for (int y = 0; y < kRows * kCellPx; ++y) {
        const int inCell = y % kCellPx;
        if (inCell <= rows::underlayBottom || (inCell >= rows::pipeTop && inCell <= rows::pipeBottom))
            continue;
        for (int x = 0; x < kCols * kCellPx; x += 3) {
            ++checked;
            wrong += !(plat().GamePixel(x, y) == backgroundAt(x, y));
        }
    }
    EXPECT_GT(checked, 50000);
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(plat().GamePixel(769, 489), backgroundAt(769, 489));
}

TEST_F(Rendering, BorderCellsAndBadNumbersPaintNothing) {
    for (int x = 0; x < kCols; ++x)
        for (int y = 0; y < kRows; ++y) form().VykresliPole(x, y);
    const Rgba corner = plat().GamePixel(0, 0), farCorner = plat().GamePixel(769, 489);
    const int presents = plat().PresentCount();

    for (int x = -1; x <= kCols; ++x) {
        form().VykresliPole(x, -1);
        form().VykresliPole(x, kRows);
    }
    for (int y = 0; y < kRows; ++y) {
        form().VykresliPole(-1, y);
        form().VykresliPole(kCols, y);
    }
    // Painting never presents; that is the caller's business.
    EXPECT_EQ(plat().PresentCount(), presents);
    EXPECT_EQ(plat().GamePixel(0, 0), corner);
    EXPECT_EQ(plat().GamePixel(769, 489), farCorner);

    // A background number outside 1..7 paints no background at all (slot 59 + 30 would
    // not even be a slot); the other layers still come.
    for (int bad : {0, 8, 30, -59, -100, 32767}) {
        SCOPED_TRACE(bad);
        form().backgroundNumber = 3;
        form().board(2, 2) = 'F';
        form().flow(2, 2) = flowDry;
        form().VykresliPole(2, 2);
        form().board(2, 2) = kFloorTile;  // floor paints over the underlay band only
        form().backgroundNumber = static_cast<std::int16_t>(bad);
        form().VykresliPole(2, 2);
        EXPECT_EQ(pixel(2, 2, 3, 2), colourOf(slotFloor));
        // The old dry pipe stays where the background would have wiped it.
        EXPECT_EQ(pixel(2, 2, 60, rows::pipeTop + 4), colourOf(dryBase + 5));
    }

    // A letter without a picture shows no pipe and reaches for no slot.
    form().backgroundNumber = 3;
    for (char odd : {'N', 'Z', ' ', '\x7f', static_cast<char>(0xC8)}) {
        form().board(4, 4) = odd;
        form().flow(4, 4) = flowWet;
        form().VykresliPole(4, 4);
        EXPECT_EQ(pixel(4, 4, 60, rows::pipeTop + 4), bg(4, 4, 60, rows::pipeTop + 4));
        EXPECT_EQ(pixel(4, 4, 3, 2), colourOf(wetBase + 11));
    }
}

TEST_F(Rendering, NoSurfaceNoPainting) {
    form().board(0, 0) = 'A';
    Graphics* surface = form().gfx;
    form().gfx = nullptr;
    form().VykresliPole(0, 0);
    form().VykresliHrace();
    form().gfx = surface;
    EXPECT_EQ(plat().GamePixel(3, 2), (Rgba{0, 0, 0, 255}));
    EXPECT_EQ(plat().GamePixel(35, 45), (Rgba{0, 0, 0, 255}));
}

}  // namespace
}  // namespace tk::test

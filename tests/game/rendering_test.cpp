// Painting cells and the figure: the layers of every kind of cell, the background
// pieces lining up, border cells, and pictures that are missing or out of range.
#include "play_fixture.h"

namespace tk::test {
namespace {

class Rendering : public PlayTest {
protected:
    Rendering() {
        level().board.Fill(kBlankTile);
        level().flow.Fill(Water::Unset);
        level().backgroundNumber = 3;
        level().sourceX = 5;
        level().sourceY = 3;
        level().playerX = 0;
        level().playerY = 0;
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
    level().board(1, 1) = kFloorTile;
    session().painter().Cell(1, 1);
    expectCell(1, 1, colourOf(kSlotFloor), true, bg(1, 1, 60, rows::pipeTop + 4), "floor");
    level().board(5, 3) = kFloorTile;
    level().flow(5, 3) = Water::Wet;
    session().painter().Cell(5, 3);
    expectCell(5, 3, colourOf(kSlotFloor), true, bg(5, 3, 60, rows::pipeTop + 4), "floor on source");

    // A blank cell is dry whatever its water says, and carries no pipe.
    level().board(2, 1) = kBlankTile;
    level().flow(2, 1) = Water::Wet;
    session().painter().Cell(2, 1);
    expectCell(2, 1, colourOf(kDryBase + 11), true, bg(2, 1, 60, rows::pipeTop + 4), "blank");

    // A blank source cell (its tile is being turned) shows only the source picture.
    level().board(5, 3) = kBlankTile;
    session().painter().Cell(5, 3);
    expectCell(5, 3, colourOf(kSlotSource), true, bg(5, 3, 60, rows::pipeTop + 4), "blank source");

    // Pipes: wet set for flow 1, dry set for 0 and for a cell not evaluated yet.
    level().board(3, 1) = 'C';
    level().flow(3, 1) = Water::Wet;
    session().painter().Cell(3, 1);
    expectCell(3, 1, colourOf(kWetBase + 11), true, colourOf(kWetBase + 2), "wet C");
    level().board(4, 1) = 'K';
    level().flow(4, 1) = Water::Dry;
    session().painter().Cell(4, 1);
    expectCell(4, 1, colourOf(kDryBase + 11), true, colourOf(kDryBase + 10), "dry K");
    level().board(6, 1) = 'A';
    level().flow(6, 1) = Water::Unset;
    session().painter().Cell(6, 1);
    expectCell(6, 1, colourOf(kDryBase + 11), true, colourOf(kDryBase + 0), "unevaluated A");

    // The source cell: source picture under a wet pipe, or a dry one before any evaluation.
    level().board(5, 3) = 'G';
    level().flow(5, 3) = Water::Wet;
    session().painter().Cell(5, 3);
    expectCell(5, 3, colourOf(kSlotSource), true, colourOf(kWetBase + 6), "wet source");
    level().flow(5, 3) = Water::Unset;
    session().painter().Cell(5, 3);
    expectCell(5, 3, colourOf(kSlotSource), true, colourOf(kDryBase + 6), "unevaluated source");
}

TEST_F(Rendering, RepaintingACellWipesTheFigureAndNothingElse) {
    level().board(0, 0) = 'F';
    level().board(1, 0) = 'F';
    level().flow(0, 0) = level().flow(1, 0) = Water::Dry;
    session().painter().Cell(0, 0);
    session().painter().Cell(1, 0);
    session().painter().Figure();
    EXPECT_EQ(pixel(0, 0, rows::figureLeft, rows::figureTop), colourOf(kSlotPlayer));
    EXPECT_EQ(figureLeftEdge(rows::figureTop), rows::figureLeft);

    session().painter().Cell(0, 0);
    EXPECT_EQ(figureLeftEdge(rows::figureTop), -1);
    EXPECT_EQ(pixel(0, 0, rows::figureLeft, rows::figureTop), bg(0, 0, rows::figureLeft, rows::figureTop));
    EXPECT_EQ(pixel(1, 0, 60, rows::pipeTop), colourOf(kDryBase + 5)) << "the neighbour was touched";
}

TEST_F(Rendering, BackgroundPiecesLineUpAcrossTheWholeBoard) {
    for (int x = 0; x < kCols; ++x)
        for (int y = 0; y < kRows; ++y) session().painter().Cell(x, y);
    // Every row of pixels no layer covers shows the background picture's own pixel at
    // the same place: the pieces join into its top-left 770 x 490 without a seam.
    int checked = 0, wrong = 0;
    for (int y = 0; y < kRows * kCellPx; ++y) {
        const int inCell = y % kCellPx;
        if (inCell <= rows::underlayBottom || (inCell >= rows::pipeTop && inCell <= rows::pipeBottom))
            continue;
        for (int x = 0; x < kCols * kCellPx; x += 3) {
            ++checked;
            wrong += !(plat().BoardPixel(x, y) == backgroundAt(x, y));
        }
    }
    EXPECT_GT(checked, 50000);
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(plat().BoardPixel(769, 489), backgroundAt(769, 489));
}

TEST_F(Rendering, BorderCellsAndBadNumbersPaintNothing) {
    for (int x = 0; x < kCols; ++x)
        for (int y = 0; y < kRows; ++y) session().painter().Cell(x, y);
    const Rgba corner = plat().BoardPixel(0, 0), farCorner = plat().BoardPixel(769, 489);
    const int presents = plat().PresentCount();

    for (int x = -1; x <= kCols; ++x) {
        session().painter().Cell(x, -1);
        session().painter().Cell(x, kRows);
    }
    for (int y = 0; y < kRows; ++y) {
        session().painter().Cell(-1, y);
        session().painter().Cell(kCols, y);
    }
    // Painting never presents; that is the caller's business.
    EXPECT_EQ(plat().PresentCount(), presents);
    EXPECT_EQ(plat().BoardPixel(0, 0), corner);
    EXPECT_EQ(plat().BoardPixel(769, 489), farCorner);

    // A background number outside 1..7 paints no background at all (slot 59 + 30 would
    // not even be a slot); the other layers still come.
    for (int bad : {0, 8, 30, -59, -100, 32767}) {
        SCOPED_TRACE(bad);
        level().backgroundNumber = 3;
        level().board(2, 2) = 'F';
        level().flow(2, 2) = Water::Dry;
        session().painter().Cell(2, 2);
        level().board(2, 2) = kFloorTile;  // floor paints over the underlay band only
        level().backgroundNumber = static_cast<std::int16_t>(bad);
        session().painter().Cell(2, 2);
        EXPECT_EQ(pixel(2, 2, 3, 2), colourOf(kSlotFloor));
        // The old dry pipe stays where the background would have wiped it.
        EXPECT_EQ(pixel(2, 2, 60, rows::pipeTop + 4), colourOf(kDryBase + 5));
    }

    // A letter without a picture shows no pipe and reaches for no slot.
    level().backgroundNumber = 3;
    for (char odd : {'N', 'Z', ' ', '\x7f', static_cast<char>(0xC8)}) {
        level().board(4, 4) = odd;
        level().flow(4, 4) = Water::Wet;
        session().painter().Cell(4, 4);
        EXPECT_EQ(pixel(4, 4, 60, rows::pipeTop + 4), bg(4, 4, 60, rows::pipeTop + 4));
        EXPECT_EQ(pixel(4, 4, 3, 2), colourOf(kWetBase + 11));
    }
}

}  // namespace
}  // namespace tk::test

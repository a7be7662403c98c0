// The board's drawing surface, checked on the pixels it paints into the headless board picture.
#include <gtest/gtest.h>

#include "support/program_folder.h"
#include "test_pictures.h"

namespace tk::test {
namespace {

class DrawingSurface : public ::testing::Test {
protected:
    DrawingSurface() : plat(HeadlessOptions{folder.str()}), board(plat.Board()) {}

    // 70 × 70, blue with a red 14 × 14 mark in the top-left corner.
    PictureHandle Marked() {
        const auto file = folder / "marked.png";
        WritePng(file, 70, 70, [](int x, int y) { return x < 14 && y < 14 ? kRed : kBlue; });
        return plat.LoadPicture(file.string());
    }
    PictureHandle Solid(const std::string& name, Rgba colour, int w = 10, int h = 10, bool alpha = true) {
        WritePng(folder / name, w, h, [&](int, int) { return colour; }, alpha);
        return plat.LoadPicture((folder / name).string());
    }

    ProgramFolder folder{false};
    HeadlessPlatform plat;
    BoardSurface& board;
};

TEST_F(DrawingSurface, ACellIsItsBackgroundPieceThenUnderlayThenPiece) {
    // A background whose every pixel tells its place, larger than the board.
    WritePng(folder / "bg.png", 800, 500,
             [](int x, int y) { return Rgba{static_cast<std::uint8_t>(x % 251), static_cast<std::uint8_t>(y % 241), 7, 255}; },
             false);
    const PictureHandle bg = plat.LoadPicture((folder / "bg.png").string());
    // An underlay over the top rows only, a piece over the bottom rows only.
    WritePng(folder / "under.png", 70, 70, [](int, int y) { return y < 10 ? kGreen : kClear; });
    WritePng(folder / "piece.png", 70, 70, [](int, int y) { return y >= 60 ? kRed : kClear; });
    const PictureHandle under = plat.LoadPicture((folder / "under.png").string());
    const PictureHandle piece = plat.LoadPicture((folder / "piece.png").string());

    board.DrawCell(3, 2, {bg, under, piece});
    EXPECT_EQ(plat.BoardPixel(210 + 5, 140 + 5), kGreen);
    EXPECT_EQ(plat.BoardPixel(210 + 5, 140 + 65), kRed);
    // In between, the background's own pixel at the same place: cells line up.
    EXPECT_EQ(plat.BoardPixel(210 + 33, 140 + 30), plat.PicturePixel(bg, 210 + 33, 140 + 30));
    EXPECT_EQ(plat.BoardPixel(209, 170), kBlack) << "the neighbour is untouched";

    // A cell without a background keeps what was under its clear parts.
    board.DrawCell(3, 2, {0, 0, piece});
    EXPECT_EQ(plat.BoardPixel(210 + 5, 140 + 5), kGreen);
}

TEST_F(DrawingSurface, SpritesLandOnAnyPixelAndCoverScalesToTheBoard) {
    const PictureHandle p = Marked();
    ASSERT_NE(p, 0u);
    board.DrawSprite(p, 147, 70);
    EXPECT_EQ(plat.BoardPixel(147 + 5, 75), kRed);
    EXPECT_EQ(plat.BoardPixel(147 + 60, 130), kBlue);
    EXPECT_EQ(plat.BoardPixel(146, 75), kBlack);
    EXPECT_EQ(plat.BoardPixel(147 + 70, 75), kBlack);

    // The cover is stretched over the whole board, mark and all.
    board.DrawCover(p);
    EXPECT_EQ(plat.BoardPixel(5, 5), kRed);
    EXPECT_EQ(plat.BoardPixel(150, 90), kRed) << "the mark grew with the picture";
    EXPECT_EQ(plat.BoardPixel(769, 489), kBlue);
}

TEST_F(DrawingSurface, TurnedPicturesTurnAboutTheCellCentreInTheirDirection) {
    const PictureHandle p = Marked();
    // Cell (2, 1), a quarter turn clockwise: the mark moves from top-left to top-right.
    board.DrawTurned(p, 2, 1, 90);
    EXPECT_EQ(plat.BoardPixel(140 + 65, 70 + 5), kRed);
    EXPECT_EQ(plat.BoardPixel(140 + 5, 70 + 5), kBlue);
    EXPECT_EQ(plat.BoardPixel(140 + 5, 70 + 65), kBlue);
    EXPECT_EQ(plat.BoardPixel(139, 105), kBlack);
    EXPECT_EQ(plat.BoardPixel(211, 105), kBlack);

    // Cell (5, 3), half a turn: bottom-right.
    board.DrawTurned(p, 5, 3, 180);
    EXPECT_EQ(plat.BoardPixel(350 + 65, 210 + 65), kRed);
    EXPECT_EQ(plat.BoardPixel(350 + 5, 210 + 5), kBlue);

    // Cell (0, 5), a quarter counter-clockwise: bottom-left.
    board.DrawTurned(p, 0, 5, -90);
    EXPECT_EQ(plat.BoardPixel(5, 350 + 65), kRed);
    EXPECT_EQ(plat.BoardPixel(65, 350 + 5), kBlue);

    // No turn at all paints it as it is.
    board.DrawTurned(p, 10, 6, 0);
    EXPECT_EQ(plat.BoardPixel(700 + 5, 420 + 5), kRed);
}

TEST_F(DrawingSurface, TurnedOpaquePictureLeavesTheCornersAlone) {
    board.DrawCover(Solid("red.png", kRed));
    // No alpha channel at all, like the JPEG backgrounds.
    const PictureHandle solid = Solid("solid.png", kBlue, 70, 70, false);
    EXPECT_EQ(plat.PicturePixel(solid, 3, 3), kBlue);
    board.DrawTurned(solid, 1, 1, 45);
    EXPECT_EQ(plat.BoardPixel(105, 105 - 40), kBlue);      // inside the diamond
    EXPECT_EQ(plat.BoardPixel(105 - 33, 105 - 33), kRed);  // the cell's corner: untouched
    EXPECT_EQ(plat.BoardPixel(105 + 33, 105 + 33), kRed);
    // Unturned, it simply covers its cell.
    board.DrawSprite(solid, 0, 0);
    EXPECT_EQ(plat.BoardPixel(1, 1), kBlue);
    EXPECT_EQ(plat.BoardPixel(71, 71), kRed);
}

TEST_F(DrawingSurface, TransparencyBlendsOverWhatIsThere) {
    board.DrawSprite(Marked(), 0, 0);
    // Left half fully clear, right half red at half strength.
    WritePng(folder / "glass.png", 70, 70, [](int x, int) { return x < 35 ? kClear : Rgba{255, 0, 0, 128}; });
    board.DrawSprite(plat.LoadPicture((folder / "glass.png").string()), 0, 0);
    EXPECT_EQ(plat.BoardPixel(5, 5), kRed);
    EXPECT_EQ(plat.BoardPixel(20, 40), kBlue);
    const Rgba mixed = plat.BoardPixel(50, 40);
    EXPECT_NEAR(mixed.r, 128, 3);
    EXPECT_NEAR(mixed.b, 127, 3);
    EXPECT_EQ(mixed.g, 0);
}

TEST_F(DrawingSurface, MissingPicturesDrawNothing) {
    EXPECT_EQ(plat.LoadPicture((folder / "absent.png").string()), 0u);
    folder.write("broken.png", "this is not a picture");
    EXPECT_EQ(plat.LoadPicture((folder / "broken.png").string()), 0u);
    EXPECT_EQ(plat.LoadPicture(nullptr, 0), 0u);

    const PictureHandle p = Marked();
    EXPECT_EQ(plat.LivePictures(), 1);
    board.DrawSprite(0, 0, 0);
    board.DrawCell(0, 0, {});
    EXPECT_EQ(plat.BoardPixel(5, 5), kBlack);
    plat.FreePicture(p);
    plat.FreePicture(p);  // twice: harmless
    plat.FreePicture(0);
    EXPECT_EQ(plat.LivePictures(), 0);
    board.DrawSprite(p, 0, 0);  // a freed picture is gone for good
    EXPECT_EQ(plat.BoardPixel(5, 5), kBlack);
    EXPECT_NE(Marked(), p);  // handles are not reused
}

TEST_F(DrawingSurface, PictureFromMemoryMatchesTheFile) {
    WritePng(folder / "m.png", 3, 2, [](int x, int y) { return x == 2 && y == 1 ? kGreen : kBlue; });
    const std::string bytes = folder.read("m.png");
    const PictureHandle p = plat.LoadPicture(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    ASSERT_NE(p, 0u);
    EXPECT_EQ(plat.PictureWidth(p), 3);
    EXPECT_EQ(plat.PictureHeight(p), 2);
    EXPECT_EQ(plat.PicturePixel(p, 2, 1), kGreen);
    EXPECT_EQ(plat.PicturePixel(p, 0, 0), kBlue);
}

TEST(DrawingSurfaceOff, FastPlayThroughsPaintNothing) {
    ProgramFolder folder{false};
    HeadlessOptions o{folder.str()};
    o.drawBoard = false;
    HeadlessPlatform plat(o);
    WritePng(folder / "p.png", 4, 4, [](int, int) { return kRed; });
    plat.Board().DrawSprite(plat.LoadPicture((folder / "p.png").string()), 0, 0);
    EXPECT_EQ(plat.BoardPixel(5, 5), kBlack);
}

TEST(DrawingSurfaceShared, RewrittenFilesAndSeveralTwins) {
    ProgramFolder folder{false};
    HeadlessPlatform a(HeadlessOptions{folder.str()});
    HeadlessPlatform b(HeadlessOptions{folder.str()});
    const auto file = (folder / "p.png").string();
    WritePng(file, 8, 8, [](int, int) { return kRed; });
    const PictureHandle inA = a.LoadPicture(file);
    const PictureHandle inB = b.LoadPicture(file);
    a.FreePicture(inA);
    EXPECT_EQ(b.PicturePixel(inB, 1, 1), kRed);  // one twin's freeing leaves the other's picture
    // The same name, the same size, new contents: the new picture is seen.
    WritePng(file, 8, 8, [](int, int) { return kGreen; });
    EXPECT_EQ(a.PicturePixel(a.LoadPicture(file), 1, 1), kGreen);
    EXPECT_EQ(b.PicturePixel(inB, 1, 1), kRed);
}

}  // namespace
}  // namespace tk::test

// The board's drawing surface, checked on the pixels it paints into the headless board picture.
#include <gtest/gtest.h>

#include "support/program_folder.h"
#include "test_pictures.h"

namespace tk::test {
namespace {

class DrawingSurface : public ::testing::Test {
protected:
    DrawingSurface() : plat(HeadlessOptions{folder.str()}) {
        gfx = plat.GdipCreateFromHDC(box);
        gfx->SetPageUnit(2);
    }

    // 70 × 70, blue with a red 14 × 14 mark in the top-left corner.
    PictureHandle Marked() {
        const auto file = folder / "marked.png";
        WritePng(file, 70, 70, [](int x, int y) { return x < 14 && y < 14 ? kRed : kBlue; });
        return plat.GdipCreateBitmapFromFile(file.string());
    }

    ProgramFolder folder{false};
    HeadlessPlatform plat;
    PictureBox box;
    Graphics* gfx = nullptr;
};

TEST_F(DrawingSurface, PictureScaledIntoItsRectangle) {
    const PictureHandle p = Marked();
    ASSERT_NE(p, 0u);
    EXPECT_EQ(plat.PictureWidth(p), 70);
    gfx->DrawImageRect(p, 140, 70, 70, 70);
    EXPECT_EQ(plat.GamePixel(145, 75), kRed);
    EXPECT_EQ(plat.GamePixel(200, 130), kBlue);
    EXPECT_EQ(plat.GamePixel(139, 75), kBlack);  // just outside: untouched
    EXPECT_EQ(plat.GamePixel(210, 75), kBlack);

    // Half size: the mark shrinks with the picture.
    gfx->DrawImageRect(p, 0, 0, 35, 35);
    EXPECT_EQ(plat.GamePixel(5, 5), kRed);
    EXPECT_EQ(plat.GamePixel(9, 9), kBlue);
    EXPECT_EQ(plat.GamePixel(36, 36), kBlack);
}

TEST_F(DrawingSurface, TurnedPictureLandsCentredOnTheCell) {
    const PictureHandle p = Marked();
    // The game's turning pattern: translate to the cell centre, rotate, paint at (-35, -35).
    auto paintTurned = [&](int cx, int cy, float degrees) {
        gfx->TranslateWorldTransform(static_cast<float>(cx), static_cast<float>(cy));
        gfx->RotateWorldTransform(degrees);
        gfx->DrawImageRect(p, -35, -35, 70, 70);
        gfx->ResetWorldTransform();
    };
    // Cell (2, 1), a quarter turn clockwise: the mark moves from top-left to top-right.
    paintTurned(70 * 2 + 35, 70 * 1 + 35, 90);
    EXPECT_EQ(plat.GamePixel(140 + 65, 70 + 5), kRed);
    EXPECT_EQ(plat.GamePixel(140 + 5, 70 + 5), kBlue);
    EXPECT_EQ(plat.GamePixel(140 + 5, 70 + 65), kBlue);
    EXPECT_EQ(plat.GamePixel(139, 105), kBlack);
    EXPECT_EQ(plat.GamePixel(211, 105), kBlack);

    // Cell (5, 3), half a turn: bottom-right.
    paintTurned(70 * 5 + 35, 70 * 3 + 35, 180);
    EXPECT_EQ(plat.GamePixel(350 + 65, 210 + 65), kRed);
    EXPECT_EQ(plat.GamePixel(350 + 5, 210 + 5), kBlue);

    // Cell (0, 5), three quarters (or a quarter back): bottom-left.
    paintTurned(35, 70 * 5 + 35, -90);
    EXPECT_EQ(plat.GamePixel(5, 350 + 65), kRed);
    EXPECT_EQ(plat.GamePixel(65, 350 + 5), kBlue);

    // After the reset, pictures land where they are asked to again.
    gfx->DrawImageRect(p, 700, 420, 70, 70);
    EXPECT_EQ(plat.GamePixel(705, 425), kRed);
}

TEST_F(DrawingSurface, LaterTransformActsFirst) {
    const PictureHandle p = Marked();
    // Rotate first, then translate: the translation is prepended, so it acts on the
    // points before the rotation. (100, 0) turned a quarter clockwise is (0, 100).
    gfx->RotateWorldTransform(90);
    gfx->TranslateWorldTransform(100, 0);
    gfx->DrawImageRect(p, -35, -35, 70, 70);
    gfx->ResetWorldTransform();
    EXPECT_EQ(plat.GamePixel(30, 70), kRed);    // the mark, now top-right of the square at (-35, 65)
    EXPECT_EQ(plat.GamePixel(20, 130), kBlue);
    EXPECT_EQ(plat.GamePixel(65, 200), kBlack);
}

TEST_F(DrawingSurface, TurnedOpaquePictureLeavesTheCornersAlone) {
    WritePng(folder / "red.png", 10, 10, [](int, int) { return kRed; });
    gfx->DrawImageRect(plat.GdipCreateBitmapFromFile((folder / "red.png").string()), 0, 0, 210, 210);
    // No alpha channel at all, like the JPEG backgrounds.
    WritePng(folder / "solid.png", 70, 70, [](int, int) { return kBlue; }, false);
    const PictureHandle solid = plat.GdipCreateBitmapFromFile((folder / "solid.png").string());
    EXPECT_EQ(plat.PicturePixel(solid, 3, 3), kBlue);
    gfx->TranslateWorldTransform(105, 105);
    gfx->RotateWorldTransform(45);
    gfx->DrawImageRect(solid, -35, -35, 70, 70);
    gfx->ResetWorldTransform();
    EXPECT_EQ(plat.GamePixel(105, 105 - 40), kBlue);  // inside the diamond
    EXPECT_EQ(plat.GamePixel(105 - 33, 105 - 33), kRed);  // the cell's corner: untouched
    EXPECT_EQ(plat.GamePixel(105 + 33, 105 + 33), kRed);
    // Unturned, it simply covers its rectangle.
    gfx->DrawImageRect(solid, 0, 0, 70, 70);
    EXPECT_EQ(plat.GamePixel(1, 1), kBlue);
    EXPECT_EQ(plat.GamePixel(71, 71), kRed);
}

TEST_F(DrawingSurface, SourceRectanglePicksPartOfThePicture) {
    const auto file = folder / "strip.png";
    WritePng(file, 140, 70, [](int x, int) { return x < 70 ? kRed : kGreen; });
    const PictureHandle strip = plat.GdipCreateBitmapFromFile(file.string());
    gfx->DrawImageRectRect(strip, 0, 0, 70, 70, 70, 0, 70, 70);
    EXPECT_EQ(plat.GamePixel(1, 1), kGreen);
    EXPECT_EQ(plat.GamePixel(68, 68), kGreen);
    // The same half stretched over two cells.
    gfx->DrawImageRectRect(strip, 70, 0, 140, 70, 0, 0, 70, 70);
    EXPECT_EQ(plat.GamePixel(75, 10), kRed);
    EXPECT_EQ(plat.GamePixel(205, 60), kRed);
}

TEST_F(DrawingSurface, TransparencyBlendsOverWhatIsThere) {
    const PictureHandle p = Marked();
    gfx->DrawImageRect(p, 0, 0, 70, 70);
    const auto file = folder / "glass.png";
    // Left half fully clear, right half red at half strength.
    WritePng(file, 70, 70, [](int x, int) { return x < 35 ? kClear : Rgba{255, 0, 0, 128}; });
    gfx->DrawImageRect(plat.GdipCreateBitmapFromFile(file.string()), 0, 0, 70, 70);
    EXPECT_EQ(plat.GamePixel(5, 5), kRed);
    EXPECT_EQ(plat.GamePixel(20, 40), kBlue);
    const Rgba mixed = plat.GamePixel(50, 40);
    EXPECT_NEAR(mixed.r, 128, 3);
    EXPECT_NEAR(mixed.b, 127, 3);
    EXPECT_EQ(mixed.g, 0);
}

TEST_F(DrawingSurface, MissingPicturesDrawNothing) {
    EXPECT_EQ(plat.GdipCreateBitmapFromFile((folder / "absent.png").string()), 0u);
    folder.write("broken.png", "this is not a picture");
    EXPECT_EQ(plat.GdipCreateBitmapFromFile((folder / "broken.png").string()), 0u);
    EXPECT_EQ(plat.LoadPictureFromMemory(nullptr, 0), 0u);

    const PictureHandle p = Marked();
    EXPECT_EQ(plat.LivePictures(), 1);
    gfx->DrawImageRect(0, 0, 0, 70, 70);
    EXPECT_EQ(plat.GamePixel(5, 5), kBlack);
    plat.GdipDisposeImage(p);
    plat.GdipDisposeImage(p);  // twice: harmless
    plat.GdipDisposeImage(0);
    EXPECT_EQ(plat.LivePictures(), 0);
    gfx->DrawImageRect(p, 0, 0, 70, 70);  // a disposed picture is gone for good
    EXPECT_EQ(plat.GamePixel(5, 5), kBlack);
    EXPECT_NE(Marked(), p);  // handles are not reused
}

TEST_F(DrawingSurface, PictureFromMemoryMatchesTheFile) {
    const auto file = folder / "m.png";
    WritePng(file, 3, 2, [](int x, int y) { return x == 2 && y == 1 ? kGreen : kBlue; });
    const std::string bytes = folder.read("m.png");
    const PictureHandle p = plat.LoadPictureFromMemory(
        reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
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
    PictureBox box;
    Graphics* gfx = plat.GdipCreateFromHDC(box);
    WritePng(folder / "p.png", 4, 4, [](int, int) { return kRed; });
    gfx->DrawImageRect(plat.GdipCreateBitmapFromFile((folder / "p.png").string()), 0, 0, 70, 70);
    EXPECT_EQ(plat.GamePixel(5, 5), kBlack);
}

}  // namespace
}  // namespace tk::test

namespace tk::test {
namespace {

TEST(DrawingSurfaceShared, RewrittenFilesAndSeveralTwins) {
    ProgramFolder folder{false};
    HeadlessPlatform a(HeadlessOptions{folder.str()});
    HeadlessPlatform b(HeadlessOptions{folder.str()});
    const auto file = (folder / "p.png").string();
    WritePng(file, 8, 8, [](int, int) { return kRed; });
    const PictureHandle inA = a.GdipCreateBitmapFromFile(file);
    const PictureHandle inB = b.GdipCreateBitmapFromFile(file);
    a.GdipDisposeImage(inA);
    EXPECT_EQ(b.PicturePixel(inB, 1, 1), kRed);  // one twin's disposal leaves the other's picture
    // The same name, the same size, new contents: the new picture is seen.
    WritePng(file, 8, 8, [](int, int) { return kGreen; });
    EXPECT_EQ(a.PicturePixel(a.GdipCreateBitmapFromFile(file), 1, 1), kGreen);
    EXPECT_EQ(b.PicturePixel(inB, 1, 1), kRed);
}

}  // namespace
}  // namespace tk::test

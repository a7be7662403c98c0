// The window that scales: the 800 × 600 picture fits any window with its shape kept,
// copied pixel for pixel at whole multiples, and every point of the screen maps back to
// the picture's point it shows. On SDL's dummy video driver.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "platform/picture_fit.h"
#include "platform/platform.h"
#include "the_window.h"

namespace tk::test {
namespace {

TEST(PictureFit, KeepsTheShapeCentresItAndKnowsWholeMultiples) {
    struct Case {
        int w, h;
        int left, top, width, height;
        bool whole;
    };
    const Case cases[] = {
        {800, 600, 0, 0, 800, 600, true},
        {1600, 1200, 0, 0, 1600, 1200, true},      // a high-DPI window of 800 × 600 points
        {1000, 600, 100, 0, 800, 600, true},       // wider: bars left and right, one to one
        {800, 900, 0, 150, 800, 600, true},        // taller: bars above and below
        {1700, 1200, 50, 0, 1600, 1200, true},
        {1920, 1080, 240, 0, 1440, 1080, false},   // a full-HD desktop
        {2560, 1440, 320, 0, 1920, 1440, false},
        {3840, 2160, 480, 0, 2880, 2160, false},
        {1024, 768, 0, 0, 1024, 768, false},       // the same shape, a fraction larger
        {400, 300, 0, 0, 400, 300, false},         // smaller than the picture
        {1001, 751, 0, 0, 1001, 750, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.w) + " x " + std::to_string(c.h));
        const PictureFit fit = FitPicture(c.w, c.h);
        EXPECT_EQ(fit.left, c.left);
        EXPECT_EQ(fit.top, c.top);
        EXPECT_EQ(fit.width, c.width);
        EXPECT_EQ(fit.height, c.height);
        EXPECT_EQ(fit.wholeMultiple, c.whole);
        // The shape is kept to within a pixel, and nothing spills out of the area.
        EXPECT_NEAR(fit.width * 3.0, fit.height * 4.0, 4.0);
        EXPECT_LE(fit.left + fit.width, c.w);
        EXPECT_LE(fit.top + fit.height, c.h);
    }
    // A minimised window has no area: still a picture of a pixel, never a division by zero.
    const PictureFit none = FitPicture(0, 0);
    EXPECT_GE(none.width, 1);
    EXPECT_GE(none.height, 1);
}

TEST(PictureFit, EveryPointMapsBackToThePicturesPoint) {
    for (auto [w, h] : {std::pair{1600, 1200}, {1000, 700}, {1920, 1080}, {640, 480}}) {
        SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
        const PictureFit fit = FitPicture(w, h);
        int px = -1, py = -1;
        EXPECT_FALSE(fit.left > 0 && PicturePointAt(fit, fit.left - 1, h / 2, px, py)) << "on a bar";
        ASSERT_TRUE(PicturePointAt(fit, fit.left, fit.top, px, py));
        EXPECT_EQ(px, 0);
        EXPECT_EQ(py, 0);
        ASSERT_TRUE(PicturePointAt(fit, fit.left + fit.width - 1, fit.top + fit.height - 1, px, py));
        EXPECT_EQ(px, kWindowWidth - 1);
        EXPECT_EQ(py, kWindowHeight - 1);
        // The board's top left corner, where the picture puts it.
        const int sx = fit.left + kBoardLeft * fit.width / kWindowWidth + 1;
        const int sy = fit.top + kBoardTop * fit.height / kWindowHeight + 1;
        ASSERT_TRUE(PicturePointAt(fit, sx, sy, px, py));
        EXPECT_NEAR(px, kBoardLeft, 1);
        EXPECT_NEAR(py, kBoardTop, 1);
    }
}

// ---- the real window on the dummy driver ------------------------------------------

Uint32 ScreenPixel(int x, int y) {
    SDL_Surface* s = SDL_GetWindowSurface(TheWindow());
    if (!s || x < 0 || y < 0 || x >= s->w || y >= s->h) return 0xDEADBEEF;
    Uint8 r = 0, g = 0, b = 0;
    const auto* row = static_cast<const Uint8*>(s->pixels) + y * s->pitch;
    SDL_GetRGB(reinterpret_cast<const Uint32*>(row)[x], s->format, &r, &g, &b);
    return static_cast<Uint32>(r << 16 | g << 8 | b);
}

// A window picture of flat blocks 40 px across in colours that differ from block to block.
std::string BlockPicture() {
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, kWindowWidth, kWindowHeight, 32, SDL_PIXELFORMAT_RGB888);
    for (int by = 0; by < kWindowHeight / 40; ++by)
        for (int bx = 0; bx < kWindowWidth / 40; ++bx) {
            const SDL_Rect block{bx * 40, by * 40, 40, 40};
            SDL_FillRect(s, &block, SDL_MapRGB(s->format, 40 + bx * 10, 40 + by * 12, (bx * by * 7) % 200 + 40));
        }
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("tk-blocks-" + std::to_string(::getpid()) + ".bmp"))
                                 .string();
    SDL_SaveBMP(s, path.c_str());
    SDL_FreeSurface(s);
    return path;
}

class ScalingWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        SDL_setenv("SDL_VIDEODRIVER", "dummy", 1);
        SDL_setenv("SDL_AUDIODRIVER", "dummy", 1);
    }
    ScalingWindow() {
        plat = CreateSdlPlatform();
        picturePath = BlockPicture();
        view.background = plat->LoadPicture(picturePath);
        plat->ShowWindow();
        plat->Present(view);
    }
    ~ScalingWindow() override {
        std::filesystem::remove(picturePath);
        plat.reset();
        // The platform asks for blended scaling process-wide; the twin's tests that run
        // after this one in the same process paint with exact pixels.
        SDL_ResetHint(SDL_HINT_RENDER_SCALE_QUALITY);
    }

    // The player drags the window to a new size; the platform sees it in its next wait.
    void Resize(int w, int h) {
        SDL_SetWindowSize(TheWindow(), w, h);
        plat->WaitUntil(plat->Now(), false);
    }

    std::unique_ptr<Platform> plat;
    WindowView view;
    std::string picturePath;
};

TEST_F(ScalingWindow, AResizedWindowShowsThePictureScaledAndLetterBoxed) {
    ASSERT_NE(view.background, 0u);
    // At its own size: the picture as it is, with no renderer on the window.
    EXPECT_EQ(SDL_GetRenderer(TheWindow()), nullptr);
    Uint32 own[kWindowHeight / 40][kWindowWidth / 40];
    for (int by = 0; by < kWindowHeight / 40; ++by)
        for (int bx = 0; bx < kWindowWidth / 40; ++bx) own[by][bx] = ScreenPixel(bx * 40 + 20, by * 40 + 20);
    ASSERT_NE(own[0][0], own[0][1]);

    // (The dummy driver's only monitor is 1024 × 768, as large as the window may grow.)
    for (auto [w, h] : {std::pair{1024, 768}, {1000, 700}, {1000, 600}, {600, 450}}) {
        SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
        Resize(w, h);
        const PictureFit fit = FitPicture(w, h);
        int checked = 0;
        for (int y = 0; y < h; y += 7)
            for (int x = 0; x < w; x += 11) {
                int px = 0, py = 0;
                if (!PicturePointAt(fit, x, y, px, py)) {
                    EXPECT_EQ(ScreenPixel(x, y), 0u) << "the bar at " << x << "," << y;
                    continue;
                }
                // Blending reaches a pixel across a block's edge; inside a block the
                // colour is the picture's own.
                if (!fit.wholeMultiple && (px % 40 < 2 || px % 40 > 37 || py % 40 < 2 || py % 40 > 37)) continue;
                EXPECT_EQ(ScreenPixel(x, y), own[py / 40][px / 40]) << "screen " << x << "," << y;
                ++checked;
            }
        EXPECT_GT(checked, 1000);
    }

    // Back at its own size, the picture goes to the window's surface again.
    Resize(kWindowWidth, kWindowHeight);
    EXPECT_EQ(SDL_GetRenderer(TheWindow()), nullptr);
    EXPECT_EQ(ScreenPixel(20, 20), own[0][0]);
    EXPECT_EQ(ScreenPixel(780, 580), own[14][19]);
}

TEST_F(ScalingWindow, TheWindowKeepsItsIdentityAndNeverOutgrowsTheLargestMonitor) {
    SDL_Window* const window = TheWindow();
    const Uint32 id = SDL_GetWindowID(window);
    SDL_Rect monitor{};
    ASSERT_EQ(SDL_GetDisplayBounds(0, &monitor), 0);
    for (auto [w, h] : {std::pair{8000, 8000}, {monitor.w + 1, monitor.h}, {1000, 700}, {8000, 600}}) {
        SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
        Resize(w, h);
        int nowW = 0, nowH = 0;
        SDL_GetWindowSizeInPixels(window, &nowW, &nowH);
        EXPECT_LE(nowW, monitor.w);
        EXPECT_LE(nowH, monitor.h);
        SDL_Surface* surface = SDL_GetWindowSurface(window);
        ASSERT_NE(surface, nullptr);
        EXPECT_LE(surface->w, monitor.w) << "drawn at no more than the monitor's size";
        EXPECT_LE(surface->h, monitor.h);
        EXPECT_EQ(TheWindow(), window);
        EXPECT_EQ(SDL_GetWindowID(window), id) << "the same window for the whole run";
        EXPECT_EQ(SDL_GetRenderer(window), nullptr) << "no renderer is ever made for the window";
    }
    plat->SetFullscreen(true);
    plat->Present(view);
    plat->SetFullscreen(false);
    plat->Present(view);
    EXPECT_EQ(SDL_GetWindowID(TheWindow()), id);
    EXPECT_EQ(SDL_GetRenderer(TheWindow()), nullptr);
}

TEST_F(ScalingWindow, ChangesMadeWhileScaledReachTheScreen) {
    Resize(1600, 1200);  // as large as the monitor lets it be: 1024 x 768
    // A notice's dark green band comes and goes.
    const int x = 90 * 1024 / 800, y = 300 * 1024 / 800;
    view.notice = NoticeView{true, " "};
    plat->Present(view);
    EXPECT_EQ(ScreenPixel(x, y), 0x004000u);
    view.notice.shown = false;
    plat->Present(view);
    EXPECT_NE(ScreenPixel(x, y), 0x004000u);
}

}  // namespace
}  // namespace tk::test

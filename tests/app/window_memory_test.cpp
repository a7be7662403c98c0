// The window's place, size and maximised state, kept in the settings from one run to the next,
// and the first start's size.
#include <gtest/gtest.h>

#include <string>

#include "support/game_fixture.h"

namespace tk::test {
namespace {

HeadlessOptions desktop(int w, int h) {
    HeadlessOptions o;
    o.desktopWidth = w;
    o.desktopHeight = h;
    return o;
}

std::string placed(const HeadlessPlatform& plat) {
    const auto places = plat.LogOf("place");
    return places.size() == 1 ? places[0].detail : "placed " + std::to_string(places.size()) + " times";
}

TEST(WindowMemory, AFirstStartOpensAtTheLargestWholeMultipleAndWritesNothingWhenLeftAlone) {
    GameFixture f(desktop(3840, 2160));
    const std::string settings = f.folder.read("options.txt");
    EXPECT_EQ(f.Run(), 0);
    EXPECT_EQ(placed(f.plat), "1120,480,1600,1200");
    ASSERT_FALSE(f.plat.LogOf("show").empty());
    EXPECT_LT(f.plat.LogOf("place")[0].at, 1u) << "placed before the window shows";
    EXPECT_TRUE(f.plat.LogOf("file.write").empty()) << "a window nobody moved is not remembered";
    EXPECT_EQ(f.folder.read("options.txt"), settings);
}

TEST(WindowMemory, WhereThePlayerLeftTheWindowComesBackAfterARestartAndOtherLinesStay) {
    ProgramFolder folder;
    // Lines this version does not know, from a later one or from the player, stay as they are.
    folder.write("options.txt", "fullscreen:off\r\nmusic:on\r\nlevel:07\r\ntheme:dark\r\n# mine\r\n");
    const WindowPlacement arranged{-1200, 40, 1024, 700, true};
    {
        HeadlessOptions o = desktop(1920, 1080);
        o.programFolder = folder.str();
        o.monitors = {{0, 0, 1920, 1080}, {-1280, 0, 1280, 1024}};
        HeadlessPlatform plat(o);
        Program program(plat);
        plat.Arrange(2000, arranged);
        EXPECT_EQ(program.Run(), 0);
        EXPECT_EQ(plat.LogOf("file.write").size(), 1u);
    }
    EXPECT_EQ(folder.read("options.txt"),
              "fullscreen:off\r\nmusic:on\r\nlevel:07\r\nwindow:-1200,40,1024,700\r\nmaximised:on\r\n"
              "theme:dark\r\n# mine\r\n");
    {
        HeadlessOptions o = desktop(1920, 1080);
        o.programFolder = folder.str();
        o.monitors = {{0, 0, 1920, 1080}, {-1280, 0, 1280, 1024}};
        HeadlessPlatform plat(o);
        Program program(plat);
        EXPECT_EQ(program.Run(), 0);
        EXPECT_EQ(placed(plat), "-1200,40,1024,700,maximised");
        EXPECT_EQ(plat.Placement(), arranged);
        EXPECT_EQ(program.settings().currentLevel, "07") << "the described lines read as before";
        EXPECT_TRUE(program.settings().musicOn);
        EXPECT_TRUE(plat.LogOf("file.write").empty()) << "nothing changed, nothing written";
    }
    // The monitor on the left is unplugged: the window comes back on the one that is left.
    {
        HeadlessOptions o = desktop(1920, 1080);
        o.programFolder = folder.str();
        HeadlessPlatform plat(o);
        Program program(plat);
        EXPECT_EQ(program.Run(), 0);
        EXPECT_EQ(plat.Placement(), (WindowPlacement{448, 190, 1024, 700, true}));
    }
}

TEST(WindowMemory, AToggleKeepsTheRememberedWindowAndTheUnknownLines) {
    GameFixture f;
    f.folder.write("options.txt", "fullscreen:off\r\nmusic:off\r\nlevel:01\r\nmaximised:off\r\n"
                                  "window:10,20,800,600\r\nwindow:bad\r\nx\r\n");
    std::uint64_t t = GameFixture::kMenuReady;
    for (Key k : {Key::Down, Key::Return, Key::Down, Key::Down, Key::Return}) f.plat.Press(t += 100, k);  // music on
    // The window stands where it was remembered, on the twin's one monitor.
    EXPECT_EQ(f.Run(), 0);
    EXPECT_EQ(placed(f.plat), "10,20,800,600");
    EXPECT_TRUE(f.program.settings().musicOn);
    EXPECT_EQ(f.folder.read("options.txt"),
              "fullscreen:off\r\nmusic:on\r\nlevel:01\r\nwindow:10,20,800,600\r\nmaximised:off\r\nwindow:bad\r\nx\r\n");
}

}  // namespace
}  // namespace tk::test

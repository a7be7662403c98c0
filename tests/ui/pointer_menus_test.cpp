// The menus with the pointer: hovering moves the highlight as an arrow would, a left click
// chooses the line, the wheel scrolls help; clicks beside the lines do nothing.
#include <gtest/gtest.h>

#include "platform/window_look.h"
#include "ui_session.h"

namespace tk::test {
namespace {

constexpr std::uint64_t kReady = GameFixture::kMenuReady;
int lineX(int line) { return look::MenuLine(line).left + 100; }
int lineY(int line) { return look::MenuLine(line).top + look::MenuLine(line).height / 2; }

TEST(PointerMenus, HoveringMovesTheHighlightWithItsSoundAndAClickChooses) {
    UiFixture f;
    f.plat.Move(kReady + 100, lineX(2), lineY(2));
    f.plat.Move(kReady + 200, lineX(2) + 50, lineY(2) + 5);  // still on "Help": nothing new
    f.plat.Move(kReady + 300, 790, lineY(3));               // beside the lines
    f.plat.At(kReady + 400, [&] {
        EXPECT_EQ(highlightedLine(f.program), 2);
        EXPECT_EQ(soundsBetween(f.plat, kReady, kReady + 400), std::vector<std::string>{"menumove"});
    });
    // "Options", then its "Back".
    f.plat.Click(kReady + 500, lineX(1), lineY(1));
    f.plat.At(kReady + 600, [&] { EXPECT_EQ(f.program.screen(), Menus::Screen::Options); });
    f.plat.Click(kReady + 700, lineX(0), lineY(0), PointerButton::Right);  // only the left button chooses
    f.plat.At(kReady + 800, [&] { EXPECT_EQ(f.program.screen(), Menus::Screen::Options); });
    f.plat.Click(kReady + 900, lineX(0), lineY(0));
    f.plat.At(kReady + 1000, [&] {
        EXPECT_EQ(f.program.screen(), Menus::Screen::MainMenu);
        EXPECT_EQ(highlightedLine(f.program), 1);
    });
    // "Quit".
    f.plat.Click(kReady + 1100, lineX(4), lineY(4));
    f.plat.AtIfReached(kReady + 5000, [&] { ADD_FAILURE() << "the click on Quit did not end the program"; });
    EXPECT_EQ(f.Run(), 0);
    EXPECT_EQ(count(f.plat.Sounds(), "menu"), 3);
}

TEST(PointerMenus, TheWheelScrollsHelpANotchALine) {
    UiFixture f;
    f.folder.makeWritable("help");
    std::string html = "<html><body>";
    for (int i = 0; i < 200; ++i) html += "<p>line " + std::to_string(i) + "</p>";
    f.folder.write("help/help.html", html + "</body></html>");
    f.plat.Click(kReady + 100, lineX(2), lineY(2));
    f.plat.Wheel(kReady + 200, 400, 300, -3);  // toward the player: down the page
    f.plat.At(kReady + 300, [&] {
        EXPECT_EQ(f.program.screen(), Menus::Screen::Help);
        EXPECT_EQ(f.view().help.scrollY, 120);
    });
    f.plat.Wheel(kReady + 400, 400, 300, 1);
    f.plat.Wheel(kReady + 500, 400, 300, 9);  // past the top: it stops there
    f.plat.At(kReady + 450, [&] { EXPECT_EQ(f.view().help.scrollY, 80); });
    f.plat.At(kReady + 600, [&] { EXPECT_EQ(f.view().help.scrollY, 0); });
    f.plat.Close(kReady + 700);
    EXPECT_EQ(f.Run(), 0);
}

}  // namespace
}  // namespace tk::test

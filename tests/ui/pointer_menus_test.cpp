// The menus with the pointer: hovering moves the highlight as an arrow would, a left click
// chooses the line, the wheel scrolls help; clicks beside the lines do nothing.
#include <gtest/gtest.h>

#include "platform/sdl_text.h"
#include "platform/window_look.h"
#include "ui/texts.h"
#include "ui_session.h"

namespace tk::test {
namespace {

constexpr std::uint64_t kReady = GameFixture::kMenuReady;
int lineX(int line) { return look::MenuLine(line).left + 100; }
int lineY(int line) { return look::MenuLine(line).top + look::MenuLine(line).height / 2; }

TEST(PointerMenus, HoveringMovesTheHighlightWithItsSoundAndAClickChooses) {
    UiFixture f;
    // The window opens under a pointer that rests on "Quit": "Play" stays highlighted until
    // the mouse moves.
    f.plat.Move(kReady + 50, lineX(4), lineY(4));
    f.plat.At(kReady + 60, [&] { EXPECT_EQ(highlightedLine(f.program), 0); });
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

TEST(PointerMenus, TheOptionsSideLineAndThePageOfMadeLevelsAreChosenByClicks) {
    UiFixture f;
    const Box side = look::MenuLine(MenuView::kSideLine);
    const int sideX = side.left + side.width / 2, sideY = side.top + side.height / 2;
    f.plat.Click(kReady + 100, lineX(1), lineY(1));  // "Options"
    f.plat.Move(kReady + 150, lineX(1), lineY(1));
    f.plat.Move(kReady + 200, sideX, sideY);
    f.plat.At(kReady + 300, [&] { EXPECT_EQ(highlightedLine(f.program), MenuView::kSideLine); });
    f.plat.Move(kReady + 400, lineX(0), lineY(0));  // the column's first line, left of the side line
    f.plat.At(kReady + 500, [&] { EXPECT_EQ(highlightedLine(f.program), 0); });
    f.plat.Click(kReady + 600, sideX, sideY);
    f.plat.At(kReady + 700, [&] { EXPECT_EQ(f.program.screen(), Menus::Screen::MadeLevels); });
    // The band line takes the next band; the line that only tells today's puzzle is no choice.
    f.plat.Click(kReady + 800, lineX(3), lineY(3));
    f.plat.Click(kReady + 900, lineX(4), lineY(4));
    f.plat.At(kReady + 1000, [&] {
        EXPECT_EQ(f.view().menu.lines[3], texts::difficultyLine(false, Difficulty::Hard));
        EXPECT_EQ(highlightedLine(f.program), 3);
    });
    f.plat.Click(kReady + 1100, lineX(0), lineY(0));  // back
    f.plat.At(kReady + 1200, [&] { EXPECT_EQ(f.program.screen(), Menus::Screen::Options); });
    f.plat.Close(kReady + 1300);
    EXPECT_EQ(f.Run(), 0);
}

TEST(PointerMenus, AClickInTheLevelBoxPutsTheCaretAtTheNearestEdgeBetweenCharacters) {
    UiFixture f;
    const Box box = look::kLevelBox;
    const int y = box.top + box.height / 2;
    std::uint64_t t = pressAll(f.plat, kReady + 100, {Key::Down, Key::Return, Key::Down, Key::Down, Key::Down, Key::Return});
    f.plat.Press(t, Key::End);
    f.plat.Press(t + 50, Key::Back);
    f.plat.Press(t + 100, Key::Back);
    f.plat.Type(t + 150, "WiWi");
    // Where the window draws the caret standing before character k.
    auto edgeX = [&](int k) {
        LevelBoxView probe = f.view().levelBox;
        probe.caret = k;
        return sdl::LayOutLevelBox(probe, sdl::TextFont(look::LevelBoxText())).caretX;
    };
    f.plat.At(t + 200, [&] {
        ASSERT_EQ(f.program.screen(), Menus::Screen::LevelEntry);
        EXPECT_EQ(f.view().levelBox.text, "WiWi");
        EXPECT_EQ(f.view().levelBox.caret, 4);
    });
    f.plat.Click(t + 250, box.left + 2, y);
    f.plat.At(t + 300, [&] { EXPECT_EQ(f.view().levelBox.caret, 0) << "left of the text"; });
    f.plat.Click(t + 350, box.left + box.width - 3, y);
    f.plat.At(t + 400, [&] { EXPECT_EQ(f.view().levelBox.caret, 4) << "right of the text"; });
    // Just past the edge before the second W, and just short of the one after it: the
    // nearer edge each time, however wide the font draws the letters.
    f.plat.At(t + 420, [&] { f.plat.Click(t + 450, edgeX(2) + 2, y); });
    f.plat.At(t + 500, [&] { EXPECT_EQ(f.view().levelBox.caret, 2); });
    f.plat.At(t + 520, [&] { f.plat.Click(t + 550, edgeX(3) - 2, y); });
    f.plat.At(t + 600, [&] { EXPECT_EQ(f.view().levelBox.caret, 3); });
    f.plat.Click(t + 650, box.left + 2, box.top - 20);  // above the box: nothing
    f.plat.At(t + 700, [&] { EXPECT_EQ(f.view().levelBox.caret, 3); });
    f.plat.Close(t + 800);
    EXPECT_EQ(f.Run(), 0);
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

// The main menu as a player meets it: highlight, sounds, accept keys, the mouse, the languages.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "ui/texts.h"
#include "ui_session.h"

namespace tk::test {
namespace {

const std::vector<std::string> kEnglishMenu = {"Play", "Options", "Help", "Česky", "Quit"};
const std::vector<std::string> kCzechMenu = {"Hrát", "Nastavení", "Nápověda", "English", "Konec"};

TEST(MainMenu, StartsWithPlayHighlightedSilentlyAndQuitEndsTheProgram) {
    UiFixture f;
    bool checked = false;
    f.plat.At(GameFixture::kMenuReady, [&] {
        checked = true;
        EXPECT_EQ(f.program.screen(), Menus::Screen::MainMenu);
        EXPECT_EQ(f.program.menus().menuCursor(), 0);
        EXPECT_EQ(highlightedLine(f.program), 0);
        EXPECT_EQ(captions(f.program), kEnglishMenu);
        EXPECT_TRUE(f.view().menu.shown);
        EXPECT_EQ(f.view().menu.page, MenuView::Page::Main);
        EXPECT_TRUE(f.plat.Sounds().empty()) << "the first drawing of the menu is silent";
    });
    const std::uint64_t quit = pressAll(f.plat, GameFixture::kMenuReady + 100, {Key::Down, Key::Down, Key::Down, Key::Down});
    f.plat.Press(quit, Key::Return);
    f.plat.Press(quit, Key::Up);  // queued behind Quit: the window is going, it does nothing
    f.plat.AtIfReached(GameFixture::kMenuReady + 5000, [&] { ADD_FAILURE() << "Quit did not end the program"; });
    EXPECT_EQ(f.Run(), 0);
    EXPECT_TRUE(checked);
    EXPECT_TRUE(f.program.unloaded());
    EXPECT_EQ(f.program.menus().menuCursor(), 4);
    EXPECT_EQ(f.plat.Sounds(), (std::vector<std::string>{"menumove", "menumove", "menumove", "menumove", "menu"}));
}

TEST(MainMenu, ArrowsMoveTheHighlightClampAtBothEndsAndSoundOnlyWithoutModifiers) {
    UiFixture f;
    const std::uint64_t t0 = GameFixture::kMenuReady + 100;
    f.plat.Press(t0, Key::Up);  // already on the first line
    f.plat.At(t0 + 50, [&] {
        EXPECT_EQ(f.program.menus().menuCursor(), 0);
        EXPECT_EQ(highlightedLine(f.program), 0);
        EXPECT_EQ(f.plat.Sounds(), std::vector<std::string>{"menumove"});
    });
    std::uint64_t t = pressAll(f.plat, t0 + 100, {Key::Down, Key::Down});
    f.plat.At(t, [&] {
        EXPECT_EQ(f.program.menus().menuCursor(), 2);
        EXPECT_EQ(highlightedLine(f.program), 2);
    });
    // Shift, Ctrl and Alt move the highlight without a sound.
    f.plat.Press(t + 10, Key::Down, kShiftHeld);
    f.plat.Press(t + 110, Key::Down, kCtrlHeld);
    f.plat.Press(t + 210, Key::Down, kAltHeld);  // clamped on the last line
    f.plat.Press(t + 310, Key::Up, kCtrlHeld | kShiftHeld);
    const std::uint64_t afterModified = t + 400;
    f.plat.At(afterModified, [&] {
        EXPECT_EQ(f.program.menus().menuCursor(), 3);
        EXPECT_EQ(highlightedLine(f.program), 3);
        EXPECT_TRUE(soundsBetween(f.plat, t, afterModified).empty());
    });
    // Down on the last line still sounds, and other keys only repaint the same highlight.
    t = pressAll(f.plat, afterModified, {Key::Down, Key::Down, Key::X, Key::Left, Key::Escape, Key::Home});
    f.plat.At(t, [&] {
        EXPECT_EQ(f.program.menus().menuCursor(), 4);
        EXPECT_EQ(highlightedLine(f.program), 4);
        EXPECT_EQ(soundsBetween(f.plat, afterModified, t), (std::vector<std::string>{"menumove", "menumove"}));
        EXPECT_EQ(f.program.screen(), Menus::Screen::MainMenu) << "Esc does nothing on the main menu";
        EXPECT_FALSE(f.plat.CloseRequested());
    });
    EXPECT_EQ(f.Run(), 0);
}

TEST(MainMenu, EnterAndSpaceAreInterchangeableAndSoundBeforeTheAction) {
    // Space opens help, Esc closes, Enter switches the language.
    UiFixture f;
    std::uint64_t t = pressAll(f.plat, GameFixture::kMenuReady + 100, {Key::Down, Key::Down, Key::Space});
    f.plat.At(t, [&] { EXPECT_EQ(f.program.screen(), Menus::Screen::Help); });
    t = pressAll(f.plat, t + 10, {Key::Escape, Key::Down, Key::Return});
    f.plat.At(t, [&] {
        EXPECT_EQ(f.program.screen(), Menus::Screen::MainMenu);
        EXPECT_TRUE(f.program.language().isCzech());
    });
    EXPECT_EQ(f.Run(), 0);
    EXPECT_EQ(f.plat.Sounds(),
              (std::vector<std::string>{"menumove", "menumove", "menu", "menumove", "menu"}));
}

TEST(Language, SwitchingTwiceComesBackToEnglishAndRemovesTheMarker) {
    UiFixture f;
    ASSERT_FALSE(f.folder.exists("AtToMluvi.Cesky"));
    std::uint64_t t = pressAll(f.plat, GameFixture::kMenuReady + 100, {Key::Down, Key::Down, Key::Down, Key::Return});
    f.plat.At(t, [&] {
        EXPECT_TRUE(f.program.language().isCzech());
        EXPECT_EQ(captions(f.program), kCzechMenu);
        EXPECT_EQ(f.program.menus().menuCursor(), 3) << "the highlight stays on the language line";
        EXPECT_EQ(highlightedLine(f.program), 3);
        EXPECT_EQ(f.view().creditHeadings, "Programování:\r\nÚrovně:\r\nHudba:");
        EXPECT_TRUE(f.folder.exists("AtToMluvi.Cesky"));
        EXPECT_EQ(f.folder.read("AtToMluvi.Cesky"), "");
        ASSERT_FALSE(f.plat.LogOf("navigate").empty());
        EXPECT_EQ(f.plat.LogOf("navigate").back().detail, f.folder.str() + "/help/napoveda.html");
        EXPECT_FALSE(f.view().help.shown) << "loading the page does not show it";
    });
    const std::string names = "names";
    f.plat.At(t + 1, [&] { f.view().creditNames = names; });
    t = pressAll(f.plat, t + 10, {Key::Space});
    f.plat.At(t, [&] {
        EXPECT_FALSE(f.program.language().isCzech());
        EXPECT_EQ(captions(f.program), kEnglishMenu);
        EXPECT_EQ(highlightedLine(f.program), 3);
        EXPECT_EQ(f.view().creditHeadings, "Programming:\r\nLevels:\r\nMusic:");
        EXPECT_EQ(f.view().creditNames, names) << "the credit names never change";
        EXPECT_FALSE(f.folder.exists("AtToMluvi.Cesky"));
        EXPECT_EQ(f.plat.LogOf("navigate").back().detail, f.folder.str() + "/help/help.html");
    });
    EXPECT_EQ(f.Run(), 0);
    EXPECT_FALSE(f.folder.exists("AtToMluvi.Cesky"));
}

TEST(Language, AMarkerWithContentStartsInCzechAndIsEmptied) {
    UiFixture f;
    f.folder.write("AtToMluvi.Cesky", "left over from somewhere");
    f.plat.At(GameFixture::kMenuReady, [&] {
        EXPECT_TRUE(f.program.language().isCzech());
        EXPECT_EQ(captions(f.program), kCzechMenu);
        EXPECT_EQ(f.view().creditHeadings, "Programování:\r\nÚrovně:\r\nHudba:");
        EXPECT_EQ(f.folder.read("AtToMluvi.Cesky"), "");
    });
    EXPECT_EQ(f.Run(), 0);
}

TEST(Language, AMarkerThatCannotBeWrittenIsToldOnceInCzechAndTheGameGoesOn) {
    // A folder in the marker's place exists, so the program starts in Czech, and
    // cannot be rewritten as an empty file. Switching to English and back again
    // fails the same way; only the first failure is shown.
    UiFixture f;
    f.folder.write("AtToMluvi.Cesky/inside", "x");
    std::uint64_t t = pressAll(f.plat, GameFixture::kMenuReady + 100, {Key::Down, Key::Down, Key::Down, Key::Return});
    f.plat.At(t, [&] { EXPECT_FALSE(f.program.language().isCzech()); });
    t = pressAll(f.plat, t + 10, {Key::Return});
    f.plat.At(t, [&] {
        EXPECT_TRUE(f.program.language().isCzech());
        EXPECT_EQ(captions(f.program), kCzechMenu);
    });
    EXPECT_EQ(f.Run(), 0);
    const std::vector<Recorded> notices = f.plat.LogOf("notice");
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].detail, texts::cannotRemember(true));
    EXPECT_LT(notices[0].at, GameFixture::kMenuReady) << "told at start-up";
    const std::vector<Recorded> lines = f.plat.LogOf("stderr");
    ASSERT_EQ(lines.size(), 3u) << "start-up, to English, back to Czech";
    EXPECT_NE(lines[0].detail.find(f.folder.str() + "/AtToMluvi.Cesky: Is a directory"),
              std::string::npos)
        << lines[0].detail;
    EXPECT_NE(lines[1].detail.find("cannot remove " + f.folder.str() + "/AtToMluvi.Cesky: "), std::string::npos)
        << lines[1].detail;
    EXPECT_EQ(f.folder.read("AtToMluvi.Cesky/inside"), "x") << "nothing that was there is lost";
}

TEST(Language, AMarkerThatCannotBeDeletedIsToldInEnglishAndTheGameGoesOnInEnglish) {
    UiFixture f;
    std::uint64_t t = pressAll(f.plat, GameFixture::kMenuReady + 100, {Key::Down, Key::Down, Key::Down, Key::Return});
    f.plat.At(t, [&] {
        ASSERT_TRUE(f.program.language().isCzech());
        f.folder.remove("AtToMluvi.Cesky");
        f.folder.write("AtToMluvi.Cesky/inside", "x");
    });
    f.plat.Press(t + 10, Key::Return);
    f.plat.At(t + 100, [&] {
        EXPECT_FALSE(f.program.language().isCzech());
        EXPECT_EQ(captions(f.program), kEnglishMenu);
    });
    f.plat.Press(t + 200, Key::Down);
    EXPECT_EQ(f.Run(), 0);
    const std::vector<Recorded> notices = f.plat.LogOf("notice");
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].detail, texts::cannotRemember(false));
    EXPECT_EQ(f.program.menus().menuCursor(), 4) << "the menu goes on";
    EXPECT_TRUE(f.program.unloaded());
}

TEST(Language, AnEmptyMarkerIsNotRewrittenAtStartUp) {
    UiFixture f;
    f.folder.write("AtToMluvi.Cesky", "");
    const auto before = std::filesystem::last_write_time(f.folder / "AtToMluvi.Cesky");
    std::filesystem::last_write_time(f.folder / "AtToMluvi.Cesky", before - std::chrono::hours(1));
    const auto backdated = std::filesystem::last_write_time(f.folder / "AtToMluvi.Cesky");
    f.plat.At(GameFixture::kMenuReady, [&] { EXPECT_TRUE(f.program.language().isCzech()); });
    EXPECT_EQ(f.Run(), 0);
    EXPECT_EQ(std::filesystem::last_write_time(f.folder / "AtToMluvi.Cesky"), backdated);
}

TEST(Language, AMarkerThatIsALinkIsReplacedWithoutTouchingItsTarget) {
    UiFixture f;
    f.folder.write("elsewhere.txt", "precious");
    std::filesystem::create_symlink(f.folder / "elsewhere.txt", f.folder / "AtToMluvi.Cesky");
    EXPECT_EQ(f.Run(), 0);
    EXPECT_EQ(f.folder.read("elsewhere.txt"), "precious");
    EXPECT_FALSE(std::filesystem::is_symlink(f.folder / "AtToMluvi.Cesky"));
    EXPECT_EQ(f.folder.read("AtToMluvi.Cesky"), "");
}

}  // namespace
}  // namespace tk::test

// The options screen: its lines, the two toggles with what they save and switch, the level chooser.
#include <gtest/gtest.h>

#include "puzzle/level_file.h"
#include "support/sample_files.h"
#include "platform/window_look.h"
#include "ui_session.h"

namespace tk::test {
namespace {

constexpr std::uint64_t kOpen = GameFixture::kMenuReady + 100;

// Down to "Options" and Enter; returns when the screen is open.
std::uint64_t openOptions(HeadlessPlatform& plat) { return pressAll(plat, kOpen, {Key::Down, Key::Return}); }

HeadlessOptions desktop(int w, int h) {
    HeadlessOptions o;
    o.desktopWidth = w;
    o.desktopHeight = h;
    return o;
}

TEST(Options, OpensOnBackAndReturnsToTheMenuOnOptions) {
    UiFixture f;
    std::uint64_t t = openOptions(f.plat);
    f.plat.At(t, [&] {
        EXPECT_EQ(f.program.screen(), Menus::Screen::Options);
        EXPECT_EQ(captions(f.program), (std::vector<std::string>{"« back", "Window mode", "Music: on",
                                                              "Choose level:", "   01"}));
        EXPECT_EQ(f.program.menus().menuCursor(), 0);
        EXPECT_EQ(highlightedLine(f.program), 0);
        EXPECT_EQ(f.view().menu.page, MenuView::Page::Options);
    });
    // The highlight stops on "Choose level:", with the sound each time.
    const std::uint64_t down = t + 10;
    t = pressAll(f.plat, down, {Key::Down, Key::Down, Key::Down, Key::Down, Key::Down});
    f.plat.At(t, [&] {
        EXPECT_EQ(f.program.menus().menuCursor(), 3);
        EXPECT_EQ(highlightedLine(f.program), 3);
        EXPECT_EQ(count(soundsBetween(f.plat, down, t), "menumove"), 5);
        EXPECT_EQ(f.view().menu.lines[4], "   01");
    });
    // Esc does nothing here; back with Space.
    t = pressAll(f.plat, t + 10, {Key::Escape, Key::Up, Key::Up, Key::Up, Key::Space});
    f.plat.At(t, [&] {
        EXPECT_EQ(f.program.screen(), Menus::Screen::MainMenu);
        EXPECT_EQ(captions(f.program), (std::vector<std::string>{"Play", "Options", "Help", "Česky", "Quit"}));
        EXPECT_EQ(f.program.menus().menuCursor(), 1);
        EXPECT_EQ(highlightedLine(f.program), 1);
        EXPECT_EQ(f.view().menu.page, MenuView::Page::Main);
    });
    EXPECT_EQ(f.Run(), 0);
    EXPECT_EQ(f.folder.read("options.txt"), "fullscreen:off\r\nmusic:on\r\nlevel:01\r\n")
        << "only a toggle writes the settings";
}

TEST(Options, CzechCaptionsNameTheStateInForce) {
    UiFixture f;
    f.folder.write("AtToMluvi.Cesky", "");
    f.folder.write("options.txt", "fullscreen:on\r\nmusic:off\r\nlevel:abc\r\n");
    std::uint64_t t = openOptions(f.plat);
    f.plat.At(t, [&] {
        EXPECT_EQ(captions(f.program), (std::vector<std::string>{"« zpět", "Celá obrazovka", "Hudba: nehraje",
                                                              "Vybrat úroveň:", "   abc"}));
    });
    t = pressAll(f.plat, t + 10, {Key::Down, Key::Return, Key::Down, Key::Return});
    f.plat.At(t, [&] {
        EXPECT_EQ(f.view().menu.lines[1], "V okně");
        EXPECT_EQ(f.view().menu.lines[2], "Hudba: hraje");
    });
    EXPECT_EQ(f.Run(), 0);
}

TEST(Options, FullScreenToggleSwitchesTheDisplayGivesTheWindowBackAsItWasAndSaves) {
    UiFixture f(desktop(1366, 768));
    std::uint64_t t = openOptions(f.plat);
    // The player has maximised the window after moving it.
    const WindowPlacement arranged{100, 50, 900, 650, true};
    f.plat.Arrange(t, arranged);
    t = pressAll(f.plat, t + 10, {Key::Down, Key::Return});
    f.plat.At(t, [&] {
        EXPECT_TRUE(f.program.settings().fullscreenOn);
        EXPECT_TRUE(f.plat.Fullscreen());
        EXPECT_EQ(f.view().menu.lines[1], "Fullscreen");
        ASSERT_FALSE(f.plat.LogOf("display").empty());
        EXPECT_EQ(f.plat.LogOf("display").back().detail, "fullscreen");
        EXPECT_EQ(f.folder.read("options.txt"), "fullscreen:on\r\nmusic:on\r\nlevel:01\r\n");
    });
    t = pressAll(f.plat, t + 10, {Key::Space});
    f.plat.At(t, [&] {
        EXPECT_FALSE(f.program.settings().fullscreenOn);
        EXPECT_FALSE(f.plat.Fullscreen());
        EXPECT_EQ(f.view().menu.lines[1], "Window mode");
        EXPECT_EQ(f.plat.LogOf("display").back().detail, "window");
        EXPECT_EQ(f.plat.Placement(), arranged);
        EXPECT_EQ(f.plat.LogOf("place").size(), 1u) << "placed once, at start-up";
        EXPECT_EQ(f.folder.read("options.txt"), "fullscreen:off\r\nmusic:on\r\nlevel:01\r\n");
        EXPECT_EQ(f.program.screen(), Menus::Screen::Options);
        EXPECT_EQ(f.program.menus().menuCursor(), 1);
    });
    EXPECT_EQ(f.Run(), 0);
}

// An 800 × 600 desktop, and a square one taken to be 4:3 (600 × 600 becomes 800 × 600):
// window mode asks for the full-screen size, and must still leave full screen.
TEST(Options, WindowModeOnAnEightHundredBySixHundredDesktopLeavesFullScreen) {
    for (const auto& [w, h] : {std::pair{800, 600}, std::pair{600, 600}}) {
        SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
        UiFixture f(desktop(w, h));
        f.folder.write("options.txt", "fullscreen:on\r\nmusic:off\r\nlevel:01\r\n");
        std::uint64_t t = openOptions(f.plat);
        f.plat.At(t, [&] { EXPECT_TRUE(f.plat.Fullscreen()); });
        t = pressAll(f.plat, t + 10, {Key::Down, Key::Return});
        f.plat.At(t, [&] {
            EXPECT_EQ(f.view().menu.lines[1], "Window mode");
            EXPECT_FALSE(f.plat.Fullscreen()) << "the caption says window mode";
            EXPECT_EQ(f.plat.LogOf("display").back().detail, "window");
            EXPECT_EQ(f.plat.Placement(), (WindowPlacement{0, 0, 800, 600, false}));
        });
        t = pressAll(f.plat, t + 10, {Key::Return});
        f.plat.At(t, [&] { EXPECT_TRUE(f.plat.Fullscreen()); });
        EXPECT_EQ(f.Run(), 0);
        EXPECT_FALSE(f.plat.Fullscreen()) << "shutdown gives the desktop back";
    }
}

TEST(Options, QuitWithFullScreenOnGivesTheDesktopBack) {
    UiFixture f(desktop(1280, 1024));
    std::uint64_t t = openOptions(f.plat);
    t = pressAll(f.plat, t + 10, {Key::Down, Key::Return, Key::Up, Key::Return});  // full screen on, back
    t = pressAll(f.plat, t + 10, {Key::Down, Key::Down, Key::Down, Key::Return});  // Quit
    f.plat.AtIfReached(t + 2000, [&] { ADD_FAILURE() << "Quit did not end the program"; });
    EXPECT_EQ(f.Run(), 0);
    EXPECT_FALSE(f.plat.Fullscreen());
    ASSERT_FALSE(f.plat.LogOf("display").empty());
    EXPECT_EQ(f.plat.LogOf("display").back().detail, "window");
}

TEST(Options, MusicToggleStopsAndRestartsThePieceAndSaves) {
    UiFixture f;
    std::uint64_t t = openOptions(f.plat);
    std::size_t playsBefore = 0;
    f.plat.At(t, [&] { playsBefore = f.plat.LogOf("music.play").size(); });
    t = pressAll(f.plat, t + 10, {Key::Down, Key::Down, Key::Return});
    f.plat.At(t, [&] {
        EXPECT_FALSE(f.program.settings().musicOn);
        EXPECT_EQ(f.view().menu.lines[2], "Music: off");
        EXPECT_FALSE(f.plat.LogOf("music.stop").empty());
        EXPECT_EQ(f.folder.read("options.txt"), "fullscreen:off\r\nmusic:off\r\nlevel:01\r\n");
    });
    t = pressAll(f.plat, t + 10, {Key::Return});
    f.plat.At(t, [&] {
        EXPECT_TRUE(f.program.settings().musicOn);
        EXPECT_EQ(f.view().menu.lines[2], "Music: on");
        const std::vector<Recorded> plays = f.plat.LogOf("music.play");
        ASSERT_EQ(plays.size(), playsBefore + 1);
        EXPECT_EQ(plays.back().detail, f.program.paths().MusicFile());
        EXPECT_EQ(f.folder.read("options.txt"), "fullscreen:off\r\nmusic:on\r\nlevel:01\r\n");
    });
    EXPECT_EQ(f.Run(), 0);
}

TEST(LevelChooser, TakesAnExistingNameAndSavesItWithTheNextToggle) {
    UiFixture f;
    f.folder.makeWritable("levels");
    writeLevel(f.folder, "Zkouska-2", "A/B", 60, "end");
    std::uint64_t t = openOptions(f.plat);
    t = pressAll(f.plat, t + 10, {Key::Down, Key::Down, Key::Down, Key::Return});
    f.plat.At(t, [&] {
        EXPECT_EQ(f.program.screen(), Menus::Screen::LevelEntry);
        EXPECT_TRUE(f.view().levelBox.shown);
        EXPECT_EQ(f.view().levelBox.text, "01");
        EXPECT_EQ(f.view().levelBox.caret, 2) << "the caret starts after the name";
    });
    // Esc, Up and Down leave the entry open; Backspace and typing edit the name.
    t = pressAll(f.plat, t + 10, {Key::Escape, Key::Up, Key::Down, Key::Back, Key::Back});
    f.plat.At(t, [&] {
        EXPECT_EQ(f.program.screen(), Menus::Screen::LevelEntry);
        EXPECT_TRUE(f.view().levelBox.shown);
        EXPECT_EQ(f.program.menus().menuCursor(), 3);
    });
    f.plat.Type(t + 10, "Zkouska-2");
    const std::uint64_t accept = t + 100;
    f.plat.Press(accept, Key::Return);
    f.plat.At(accept + 50, [&] {
        EXPECT_FALSE(f.view().levelBox.shown);
        EXPECT_EQ(f.program.screen(), Menus::Screen::Options);
        EXPECT_EQ(f.program.settings().currentLevel, "Zkouska-2");
        EXPECT_EQ(f.view().menu.lines[4], "   Zkouska-2");
        EXPECT_EQ(highlightedLine(f.program), 3);
        EXPECT_EQ(soundsBetween(f.plat, accept, accept + 50), std::vector<std::string>{"menu"});
        EXPECT_EQ(f.folder.read("options.txt"), "fullscreen:off\r\nmusic:on\r\nlevel:01\r\n");
    });
    // Toggling music twice writes the chosen level too.
    t = pressAll(f.plat, accept + 100, {Key::Up, Key::Return, Key::Return});
    f.plat.At(t, [&] { EXPECT_EQ(f.folder.read("options.txt"), "fullscreen:off\r\nmusic:on\r\nlevel:Zkouska-2\r\n"); });
    EXPECT_EQ(f.Run(), 0);
}

TEST(LevelChooser, TheBoxTakesNoLongerANameThanALevelFileCanHave) {
    UiFixture f;
    f.folder.makeWritable("levels");
    // The longest name the box takes is still a name the file system takes.
    const std::string longest = "01" + std::string(kMaxLevelNameBytes - 3, 'a') + "b";
    writeLevel(f.folder, longest, "A/B", 60, "end");
    std::uint64_t t = openOptions(f.plat);
    t = pressAll(f.plat, t + 10, {Key::Down, Key::Down, Key::Down, Key::Return});
    f.plat.Type(t + 10, std::string(kMaxLevelNameBytes - 3, 'a'));
    f.plat.Type(t + 20, "\xC3\xA9");  // two bytes, one too many: not cut in half, not taken
    f.plat.Type(t + 30, "bcdefgh");
    f.plat.At(t + 40, [&] {
        EXPECT_EQ(f.view().levelBox.text, longest);
        EXPECT_EQ(f.view().levelBox.caret, static_cast<int>(kMaxLevelNameBytes));
    });
    f.plat.Press(t + 50, Key::Return);
    f.plat.At(t + 100, [&] { EXPECT_EQ(f.program.settings().currentLevel, longest); });
    EXPECT_EQ(f.Run(), 0);
}

// The box lies over the level line, whose indented name starts a few pixels further
// left: none of it may show beside the box while it is open.
TEST(LevelChooser, NothingOfTheLevelLineShowsBesideTheBox) {
    UiFixture f;
    WritePicture(f.folder, "okno.jpg", 800, 600, 40, 80, 120);
    const auto inkLeftOfTheBox = [&] {
        const std::string png = (f.folder / "shot.png").string();
        f.plat.Present(f.view());
        EXPECT_TRUE(f.plat.SaveWindowPng(png));
        const PictureHandle shot = f.plat.LoadPicture(png);
        int ink = 0;
        const Box box = look::kLevelBox;
        for (int y = box.top; y < box.top + box.height; ++y)
            for (int x = look::MenuLine(4).left; x < box.left; ++x)
                ink += f.plat.PicturePixel(shot, x, y) != Rgba{40, 80, 120, 255};
        f.plat.FreePicture(shot);
        return ink;
    };
    std::uint64_t t = openOptions(f.plat);
    t = pressAll(f.plat, t + 10, {Key::Down, Key::Down, Key::Down, Key::Return});
    f.plat.At(t, [&] {
        ASSERT_TRUE(f.view().levelBox.shown);
        EXPECT_EQ(inkLeftOfTheBox(), 0);
    });
    t = pressAll(f.plat, t + 10, {Key::Return});
    f.plat.At(t, [&] {
        EXPECT_FALSE(f.view().levelBox.shown);
        EXPECT_TRUE(f.view().menu.levelLineShown);
        EXPECT_EQ(f.view().menu.lines[4], "   01");
    });
    EXPECT_EQ(f.Run(), 0);
}

// Opens the chooser, replaces the name by `name`, which has a level file, and accepts
// with `acceptKey`.
void expectTaken(const std::string& name, Key acceptKey) {
    SCOPED_TRACE("typed \"" + name + "\"");
    UiFixture f;
    f.folder.makeWritable("levels");
    writeLevel(f.folder, name, "A/B", 60, "end");
    std::uint64_t t = openOptions(f.plat);
    t = pressAll(f.plat, t + 10, {Key::Down, Key::Down, Key::Down, Key::Return, Key::Back, Key::Back});
    f.plat.Type(t, name);
    f.plat.Press(t + 50, acceptKey);
    f.plat.At(t + 100, [&] {
        EXPECT_EQ(f.program.screen(), Menus::Screen::Options);
        EXPECT_EQ(f.program.settings().currentLevel, name);
        EXPECT_EQ(f.view().menu.lines[4], "   " + name);
    });
    EXPECT_EQ(f.Run(), 0);
}

TEST(LevelChooser, SpaceAcceptsWithoutTypingASpace) { expectTaken("ab", Key::Space); }

// Two dots inside a name keep the file inside the levels folder.
TEST(LevelChooser, TakesANameWithTwoDotsInside) { expectTaken("a..b", Key::Return); }

// Opens the chooser, replaces the name by `typed` and accepts; checks that the old
// name stays after the notice has shown for a second.
void expectRefused(const std::string& typed, bool czech) {
    SCOPED_TRACE("typed \"" + typed + "\"");
    UiFixture f;
    if (czech) f.folder.write("AtToMluvi.Cesky", "");
    f.folder.makeWritable("levels");
    writeLevel(f.folder, "x", "A/B", 60, "end");  // "../x" would otherwise name a real file
    f.folder.write("x.kulap", "outside the levels folder");
    std::uint64_t t = openOptions(f.plat);
    t = pressAll(f.plat, t + 10, {Key::Down, Key::Down, Key::Down, Key::Return, Key::Back, Key::Back});
    if (!typed.empty()) f.plat.Type(t, typed);
    const std::uint64_t accept = t + 50;
    f.plat.Press(accept, Key::Return);
    bool duringNotice = false;
    f.plat.At(accept + 900, [&] {
        // The notice stands, and was put on screen before the wait began.
        duringNotice = true;
        const std::string notice = czech ? " - nenalezena -" : " - not found -";
        EXPECT_EQ(f.view().menu.lines[4], notice);
        EXPECT_EQ(f.plat.Presented().menu.lines[4], notice);
        EXPECT_EQ(f.program.screen(), Menus::Screen::LevelEntry);
    });
    f.plat.At(accept + 1100, [&] {
        EXPECT_EQ(f.program.settings().currentLevel, "01");
        EXPECT_EQ(f.view().menu.lines[4], "   01");
        EXPECT_EQ(f.program.screen(), Menus::Screen::Options);
        EXPECT_FALSE(f.view().levelBox.shown);
    });
    EXPECT_EQ(f.Run(), 0);
    EXPECT_TRUE(duringNotice);
    // It stood its second from the moment it was on screen.
    const std::uint64_t on = presentedAfter(f.plat, accept, true), off = presentedAfter(f.plat, on);
    EXPECT_GE(off - on, 1000u);
    EXPECT_LE(off - on, 1020u);
}

TEST(LevelChooser, RefusesNamesWithoutAFileAndNamesThatAreNotPlain) {
    for (const std::string typed : {"nosuchlevel", "../x", "a/b", "..", "..\\x", ""})
        expectRefused(typed, false);
    expectRefused(std::string(5000, 'n'), false);  // longer than any file name may be
    expectRefused("nosuchlevel", true);
}

TEST(LevelChooser, PlainNamesAreThoseThatStayInTheLevelsFolder) {
    const std::vector<std::string> ok = {"01",  "Zkouska-2", "level.v2", "úroveň", " x ", "-", "a..b", "...",
                                         "..x", std::string(tk::kMaxLevelNameBytes, 'n')};
    for (const std::string& name : ok) EXPECT_TRUE(tk::isPlainLevelName(name)) << name;
    const std::vector<std::string> bad = {"",     ".", "..", "../01", "a/b", "a\\b", "/etc/passwd", "x\n",
                                          "\x7f", std::string("a\0b", 3), std::string(tk::kMaxLevelNameBytes + 1, 'n')};
    for (const std::string& name : bad) EXPECT_FALSE(tk::isPlainLevelName(name)) << name;
}

}  // namespace
}  // namespace tk::test

// Help, the chain of levels started by "Play", the congratulations at its end.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include <sys/stat.h>

#include "ui/texts.h"
#include "ui_session.h"

namespace tk::test {
namespace {

constexpr std::uint64_t kPlay = GameFixture::kMenuReady + 100;
// From a level's start: its title stands for 1500 ms, then play begins.
constexpr std::uint64_t kTitle = 1500;

// Play-throughs need no board pixels.
HeadlessOptions fast() {
    HeadlessOptions o;
    o.drawBoard = false;
    return o;
}

void useLevel(const ProgramFolder& folder, const std::string& name) {
    folder.write("options.txt", "fullscreen:off\r\nmusic:off\r\nlevel:" + name + "\r\n");
}

// One level of its own, the last of its chain, that "Play" starts at kPlay.
void playOnlyLevel(UiFixture& f, const std::string& name, const std::string& title, int seconds) {
    f.folder.makeWritable("levels");
    writeLevel(f.folder, name, title, seconds, "end");
    useLevel(f.folder, name);
    f.plat.Press(kPlay, Key::Return);
}

std::string longPage(const std::string& word) {
    std::string html = "<html><body>";
    for (int i = 0; i < 200; ++i) html += "<p>" + word + " " + std::to_string(i) + "</p>";
    return html + "</body></html>";
}

TEST(HelpScreen, OpensScrollsAndClosesWithEscOnlyShowingThePageOfTheLanguageInForce) {
    UiFixture f;
    f.folder.makeWritable("help");
    f.folder.write("help/help.html", longPage("Help"));
    f.folder.write("help/napoveda.html", longPage("Napoveda"));
    std::uint64_t t = pressAll(f.plat, kPlay, {Key::Down, Key::Down, Key::Return});
    f.plat.At(t, [&] {
        EXPECT_EQ(f.program.screen(), Menus::Screen::Help);
        const HelpView& v = f.view().help;
        EXPECT_TRUE(v.shown);
        EXPECT_EQ(v.page, f.folder.str() + "/help/help.html");
        f.plat.WindowPixel(400, 300);  // the page is on screen before the player scrolls
    });
    // Arrows scroll the page and leave the menu alone; accept keys only sound.
    const std::uint64_t scroll = t + 10;
    t = pressAll(f.plat, scroll, {Key::Down, Key::Down, Key::PageDown, Key::Up, Key::Return, Key::Space});
    f.plat.At(t, [&] {
        EXPECT_EQ(f.program.screen(), Menus::Screen::Help);
        EXPECT_GT(f.view().help.scrollY, 0);
        EXPECT_EQ(f.program.menus().menuCursor(), 2);
        EXPECT_EQ(highlightedLine(f.program), 2);
        EXPECT_EQ(soundsBetween(f.plat, scroll, t), (std::vector<std::string>{"menu", "menu"}));
    });
    t = pressAll(f.plat, t + 10, {Key::Escape});
    f.plat.At(t, [&] {
        EXPECT_EQ(f.program.screen(), Menus::Screen::MainMenu);
        EXPECT_FALSE(f.view().help.shown);
        EXPECT_EQ(highlightedLine(f.program), 2) << "the highlight is still on Help";
    });
    // Switch to Czech, then help shows the Czech page.
    t = pressAll(f.plat, t + 10, {Key::Down, Key::Return, Key::Up, Key::Return});
    f.plat.At(t, [&] {
        EXPECT_EQ(f.program.screen(), Menus::Screen::Help);
        EXPECT_EQ(f.view().help.page, f.folder.str() + "/help/napoveda.html");
    });
    t = pressAll(f.plat, t + 10, {Key::Escape});
    EXPECT_EQ(f.Run(), 0);
    EXPECT_EQ(f.program.screen(), Menus::Screen::MainMenu);
}

// The help rectangle as the window shows it now: which pixels are not the page's white.
std::vector<bool> helpInk(UiFixture& f) {
    const std::string png = (f.folder / "shot.png").string();
    EXPECT_TRUE(f.plat.SaveWindowPng(png));
    const PictureHandle shot = f.plat.LoadPicture(png);
    std::vector<bool> dark;
    for (int y = 15; y < 15 + 490; ++y)
        for (int x = 15; x < 15 + 770; ++x) dark.push_back(f.plat.PicturePixel(shot, x, y) != Rgba{255, 255, 255, 255});
    f.plat.FreePicture(shot);
    return dark;
}

TEST(HelpScreen, AMissingPageStillOpensAndClosesSayingSoInTheLanguageInForce) {
    UiFixture f;
    f.folder.remove("help");
    const auto ink = [&] { return helpInk(f); };
    std::vector<bool> english, czech;
    std::uint64_t t = pressAll(f.plat, kPlay, {Key::Down, Key::Down, Key::Space});
    f.plat.At(t, [&] {
        EXPECT_EQ(f.program.screen(), Menus::Screen::Help);
        english = ink();
    });
    t = pressAll(f.plat, t + 10, {Key::Escape, Key::Down, Key::Return, Key::Up, Key::Return});
    f.plat.At(t, [&] {
        EXPECT_TRUE(f.program.language().isCzech());
        EXPECT_EQ(f.program.screen(), Menus::Screen::Help);
        czech = ink();
    });
    t = pressAll(f.plat, t + 10, {Key::Escape});
    f.plat.At(t, [&] { EXPECT_EQ(f.program.screen(), Menus::Screen::MainMenu); });
    EXPECT_EQ(f.Run(), 0);
    EXPECT_GT(std::count(english.begin(), english.end(), true), 100) << "not a blank white page";
    EXPECT_GT(std::count(czech.begin(), czech.end(), true), 100);
    EXPECT_NE(english, czech) << "each language says it in its own words";
}

TEST(HelpScreen, APageNestedTooDeeplyOrTooLargeIsRefusedSayingSoAndHelpStillCloses) {
    std::string deep = "<html><body>";
    for (int i = 0; i < 5000; ++i) deep += "<div>";
    const std::string huge = "<html><body><p>" + std::string((1 << 20) + 1, 'x') + "</p></body></html>";
    std::vector<bool> missing;
    {
        UiFixture f;
        f.folder.remove("help");
        f.plat.At(pressAll(f.plat, kPlay, {Key::Down, Key::Down, Key::Return}), [&] { missing = helpInk(f); });
        EXPECT_EQ(f.Run(), 0);
    }
    for (const std::string& page : {deep, huge}) {
        SCOPED_TRACE(page.size());
        UiFixture f;
        f.folder.makeWritable("help");
        f.folder.write("help/help.html", page);
        std::vector<bool> refused;
        std::uint64_t t = pressAll(f.plat, kPlay, {Key::Down, Key::Down, Key::Return});
        f.plat.At(t, [&] {
            EXPECT_EQ(f.program.screen(), Menus::Screen::Help);
            refused = helpInk(f);
        });
        t = pressAll(f.plat, t + 10, {Key::Down, Key::Escape});
        f.plat.At(t, [&] { EXPECT_EQ(f.program.screen(), Menus::Screen::MainMenu); });
        EXPECT_EQ(f.Run(), 0);
        EXPECT_GT(std::count(refused.begin(), refused.end(), true), 100) << "not a blank white page";
        EXPECT_NE(refused, missing) << "its own words, not those of a missing page";
        const auto lines = f.plat.LogOf("stderr");
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_NE(lines[0].detail.find("the help page " + f.folder.str() + "/help/help.html cannot be shown: " +
                                       (page == deep ? "its elements are nested" : "it is larger")),
                  std::string::npos)
            << lines[0].detail;
    }
}

TEST(PlaySequence, WinningTheLastLevelShowsTheFinalScreenForFiveSecondsThenPlay) {
    UiFixture f(fast());
    playOnlyLevel(f, "only", "Jediná/Only", 60);
    std::uint64_t keyDuringFinal = 0;
    watchPlays(f.plat, f.program, kPlay, kPlay + 20000, [&](int attempt, std::uint64_t now) {
        ASSERT_EQ(attempt, 0) << "a won level is not played again";
        turnPipe(f.plat, now + 10, 100);
        // The won picture stands 4 s, then the congratulations 5 s: this Down falls
        // into the congratulations and must wait for the menu.
        keyDuringFinal = now + 10 + 200 + 4000 + 2500;
        f.plat.Press(keyDuringFinal, Key::Down);
        f.plat.At(keyDuringFinal + 10, [&] {
            // The level's one best, 60 s left, is the sum of all bests.
            EXPECT_EQ(f.view().play.title, "All levels solved.\r\nCongratulations!\r\nBests in all: 01:00");
            EXPECT_TRUE(f.view().play.titleShown);
            EXPECT_TRUE(f.view().play.boardShown);
            EXPECT_EQ(f.program.screen(), Menus::Screen::Levels);
            EXPECT_EQ(f.phase(), PlayPhase::Won);
        });
    });
    EXPECT_EQ(f.Run(), 0);

    const std::vector<std::uint64_t> winner = timesOf(f.plat, "winner");
    ASSERT_EQ(winner.size(), 1u);
    const std::vector<std::uint64_t> moves = timesOf(f.plat, "menumove");
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_GE(moves[0], winner[0] + 4000 + 5000) << "the final screen blocks for five seconds";
    EXPECT_LT(moves[0], winner[0] + 4000 + 5000 + 100);
    // The win picture and the congratulations each stood their time from the moment they
    // were on screen: the picture until the congratulations came, they until the menu.
    const std::uint64_t winOn = presentedAfter(f.plat, winner[0], true);
    const std::uint64_t finalOn = presentedAfter(f.plat, winOn + 3999), menuOn = presentedAfter(f.plat, finalOn);
    EXPECT_GE(finalOn - winOn, 4000u);
    EXPECT_LE(finalOn - winOn, 4020u);
    EXPECT_GE(menuOn - finalOn, 5000u);
    EXPECT_LE(menuOn - finalOn, 5020u);
    // The congratulations were made ready while the win picture stood, with the best just won.
    const auto prepared = f.plat.LogOf("prepare");
    ASSERT_FALSE(prepared.empty()) << "nothing made ready ahead of the final screen";
    EXPECT_GE(prepared.front().at, winOn);
    EXPECT_LT(prepared.front().at, finalOn);
    EXPECT_EQ(prepared.front().detail, "All levels solved.\r\nCongratulations!\r\nBests in all: 01:00");

    EXPECT_EQ(f.view().play.title, "All levels solved.\r\nCongratulations!\r\nBests in all: 01:00");
    EXPECT_FALSE(f.view().play.boardShown);
    EXPECT_FALSE(f.view().play.clockShown);
    EXPECT_EQ(f.program.settings().currentLevel, "only");
    EXPECT_EQ(f.program.menus().menuCursor(), 1) << "Play was highlighted until the late Down";
    const std::vector<std::string> sounds = f.plat.Sounds();
    ASSERT_GE(sounds.size(), 2u);
    EXPECT_EQ(sounds[0], "menu") << "the accept sound comes before the level starts";
    EXPECT_EQ(sounds[1], "start");
    EXPECT_EQ(count(sounds, "start"), 1);
}

TEST(PlaySequence, LeavingAtTheThirdLevelThenPlayStartsAgainAtTheChosenLevel) {
    UiFixture f(fast());
    f.folder.write("AtToMluvi.Cesky", "");
    f.folder.makeWritable("levels");
    writeLevel(f.folder, "a", "První/First", 60, "b");
    writeLevel(f.folder, "b", "Druhá/Second", 60, "c");
    writeLevel(f.folder, "c", "Třetí/Third", 60, "end");
    useLevel(f.folder, "a");
    f.plat.Press(kPlay, Key::Return);
    std::vector<std::string> titles;
    watchPlays(f.plat, f.program, kPlay, kPlay + 60000, [&](int attempt, std::uint64_t now) {
        titles.push_back(f.level().levelTitle);
        if (attempt == 2) {
            // Leave the third level ("A" for "ano"), then choose Play again from the menu.
            f.plat.Press(now + 10, Key::Escape);
            f.plat.Press(now + 100, Key::A);
            f.plat.At(now + 1000, [&] {
                EXPECT_EQ(f.program.screen(), Menus::Screen::MainMenu);
                EXPECT_FALSE(f.view().play.boardShown);
                EXPECT_EQ(f.program.menus().Busy(), false);
                EXPECT_EQ(highlightedLine(f.program), 0);
            });
            f.plat.Press(now + 1100, Key::Space);
        } else {
            turnPipe(f.plat, now + 10, 100);
        }
    });
    EXPECT_EQ(f.Run(), 0);
    EXPECT_EQ(titles, (std::vector<std::string>{"První", "Druhá", "Třetí", "První", "Druhá", "Třetí"}));
    EXPECT_EQ(f.program.settings().currentLevel, "a");
    // Three levels, each won with its full minute left: the second round beat none of them.
    EXPECT_EQ(f.view().play.title, "Všechny úrovně vyřešeny.\r\nGratuluji!\r\nRekordy: 03:00");
    EXPECT_EQ(count(f.plat.Sounds(), "winner"), 5);
}

TEST(PlaySequence, ALostLevelStartsAgainAtOnceAndLeavingEndsTheSequence) {
    UiFixture f(fast());
    playOnlyLevel(f, "short", "Krátká/Short", 1);
    std::vector<std::uint64_t> plays;
    watchPlays(f.plat, f.program, kPlay, kPlay + 20000, [&](int attempt, std::uint64_t now) {
        plays.push_back(now);
        if (attempt == 2) {  // lost twice; leave the third attempt
            f.plat.Press(now + 10, Key::Escape);
            f.plat.Press(now + 100, Key::Y);
        }
    });
    EXPECT_EQ(f.Run(), 0);
    ASSERT_EQ(plays.size(), 3u);
    const std::vector<std::uint64_t> lost = timesOf(f.plat, "looser");
    ASSERT_EQ(lost.size(), 2u);
    // Straight from the lost picture into the same level's title: nothing in between.
    EXPECT_LE(plays[1], lost[0] + 4000 + kTitle + 50);
    EXPECT_EQ(count(f.plat.Sounds(), "start"), 3);
    EXPECT_EQ(f.view().play.title, "Really quit?\r\nY / N") << "no congratulations after leaving";
    EXPECT_FALSE(f.view().play.boardShown);
    EXPECT_EQ(f.program.settings().currentLevel, "short");
}

TEST(PlaySequence, ALevelThatCannotBeLoadedOrIsNamedEndLeavesTheMenuWorking) {
    for (const std::string name : {"missing", "end", "fifo"}) {
        SCOPED_TRACE(name);
        UiFixture f(fast());
        // A FIFO never sends anything: reading it would freeze the window for good.
        f.folder.makeWritable("levels");
        ASSERT_EQ(::mkfifo((f.folder / "levels/fifo.kulap").c_str(), 0600), 0);
        useLevel(f.folder, name);
        f.plat.Press(kPlay, Key::Return);
        f.plat.Press(kPlay + 2000, Key::Down);
        f.plat.At(kPlay + 2100, [&] {
            EXPECT_EQ(f.program.screen(), Menus::Screen::MainMenu);
            EXPECT_EQ(f.program.menus().menuCursor(), 1);
            EXPECT_EQ(f.program.menus().Busy(), false);
        });
        EXPECT_EQ(f.Run(), 0);
        EXPECT_NE(f.view().play.title, texts::finalMessage(false));
        EXPECT_TRUE(timesOf(f.plat, "winner").empty());
    }
}

TEST(PlaySequence, ALevelThatCannotBePlayedIsReportedAndTheGameStaysAsItWas) {
    struct Case {
        const char* name;
        bool czech;
        std::vector<std::string> details;  // for the level's author, on standard error
        const char* message;               // for the player
    };
    const Case cases[] = {
        {"missing", false, {"missing.kulap"},
         "The level \"missing\" cannot be loaded: its file is missing or damaged."},
        {"broken", false, {"broken.kulap:5: ", "\n", "broken.kulap:13: "},
         "The level \"broken\" cannot be loaded: its file is missing or damaged."},
        {"short", false, {"short.kulap:"}, "The level \"short\" cannot be loaded: its file is missing or damaged."},
        {"broken", true, {"broken.kulap:5: ", "broken.kulap:13: "},
         "Úroveň „broken“ nelze načíst: její soubor chybí nebo je poškozený."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + (c.czech ? " (Czech)" : ""));
        UiFixture f(fast());
        if (c.czech) f.folder.write("AtToMluvi.Cesky", "");
        f.folder.makeWritable("levels");
        std::string broken = "A/B\r\n100\r\n";
        for (int row = 0; row < 7; ++row) broken += row == 2 ? "FFFFF?FFFFF\r\n" : "LLLLLLLLLLL\r\n";
        f.folder.write("levels/broken.kulap", broken + "0,0\r\n0,0\r\n-\r\n9\r\nend\r\n");
        f.folder.write("levels/short.kulap", "Krátká/Short\r\n100\r\nFFFFFFFFFFF\r\n");
        useLevel(f.folder, c.name);
        const PlayState untouched = f.level();
        f.plat.Press(kPlay, Key::Return);
        f.plat.At(kPlay + 50, [&] {
            EXPECT_EQ(f.program.screen(), Menus::Screen::MainMenu);
            EXPECT_FALSE(f.program.menus().Busy());
            EXPECT_FALSE(f.view().play.boardShown);
            EXPECT_FALSE(f.view().play.clockShown);
            EXPECT_FALSE(f.view().play.titleShown);
            EXPECT_FALSE(f.program.play().clock().Running());
            EXPECT_EQ(f.level().board, untouched.board);
            EXPECT_EQ(f.level().nextLevel, untouched.nextLevel);
        });
        EXPECT_EQ(f.Run(), 0);
        std::string details;
        for (const Recorded& line : f.plat.LogOf("stderr")) details += line.detail + "\n";
        // The player is told which level, by its name and in the game's language, in a
        // notice; the author reads every problem with the file's path and line.
        const auto msgs = f.plat.LogOf("notice");
        ASSERT_EQ(msgs.size(), 1u);
        EXPECT_EQ(msgs[0].detail, c.message);
        EXPECT_LT(msgs[0].at, kPlay + 50) << "no title pause for a level that is not played";
        for (const std::string& d : c.details) EXPECT_NE(details.find(d), std::string::npos) << details;
        EXPECT_NE(details.find(f.folder.str() + "/levels/"), std::string::npos) << details;
        EXPECT_TRUE(timesOf(f.plat, "start").empty());
    }
}

// During play key-downs are dropped where the level lets events run; those pressed while
// "Really quit?" stands wait, and after Y they act on the main menu.
TEST(PlaySequence, KeysPressedWhileTheQuitQuestionStandsActOnTheMenuAfterYes) {
    UiFixture f(fast());
    playOnlyLevel(f, "a", "A/A", 60);
    const std::uint64_t esc = kPlay + kTitle + 500;
    f.plat.Press(esc - 300, Key::Down);  // in play: polled, a refused step, then dropped
    f.plat.Press(esc, Key::Escape);
    f.plat.Press(esc + 200, Key::Down);  // while the question stands: queued
    f.plat.Press(esc + 300, Key::Down);
    f.plat.Press(esc + 500, Key::Y);
    int cursor = -1;
    bool asked = false;
    f.plat.At(esc + 100, [&] { asked = f.view().play.title == texts::quitQuestion(false); });
    f.plat.At(esc + 1000, [&] { cursor = f.program.menus().menuCursor(); });
    f.plat.Close(esc + 1200);
    EXPECT_EQ(f.Run(), 0);
    EXPECT_TRUE(asked);
    EXPECT_EQ(cursor, 2) << "the two Downs of the question moved the highlight, the one of play did not";
    EXPECT_EQ(soundsBetween(f.plat, esc + 500, esc + 1000), (std::vector<std::string>{"menu", "menumove", "menumove"}));
}

TEST(PlaySequence, ClosingTheWindowDuringALevelEndsTheSequenceAndTheProgram) {
    UiFixture f(fast());
    playOnlyLevel(f, "a", "A/A", 60);
    watchPlays(f.plat, f.program, kPlay, kPlay + 10000, [&](int, std::uint64_t now) {
        f.plat.Close(now + 500);
        f.plat.Press(now + 600, Key::Return);  // queued behind the close: starts nothing
    });
    EXPECT_EQ(f.Run(), 0);
    EXPECT_TRUE(f.program.unloaded());
    EXPECT_EQ(f.program.screen(), Menus::Screen::MainMenu);
    EXPECT_EQ(count(f.plat.Sounds(), "start"), 1);
    EXPECT_NE(f.view().play.title, texts::finalMessage(false));
}

}  // namespace
}  // namespace tk::test

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
    std::uint64_t t = pressAll(f.plat, kPlay, {vk::Down, vk::Down, vk::Return});
    f.plat.At(t, [&] {
        EXPECT_EQ(f.form.screenMode, modeHelp);
        const BrowserView& v = f.form.wbHelp;
        EXPECT_TRUE(v.Visible);
        EXPECT_EQ(v.Left, 15);
        EXPECT_EQ(v.Top, 15);
        EXPECT_EQ(v.Width, 770);
        EXPECT_EQ(v.Height, 490);
        EXPECT_EQ(v.Location, f.folder.str() + "/help/help.html");
        f.plat.WindowPixel(400, 300);  // the page is on screen before the player scrolls
    });
    // Arrows scroll the page and leave the menu alone; accept keys only sound.
    const std::uint64_t scroll = t + 10;
    t = pressAll(f.plat, scroll, {vk::Down, vk::Down, vk::Next, vk::Up, vk::Return, vk::Space});
    f.plat.At(t, [&] {
        EXPECT_EQ(f.form.screenMode, modeHelp);
        EXPECT_GT(f.form.wbHelp.ScrollY, 0);
        EXPECT_EQ(f.form.menuCursor, 2);
        EXPECT_EQ(highlightedLine(f.form), 2);
        EXPECT_EQ(soundsBetween(f.plat, scroll, t), (std::vector<std::string>{"menu", "menu"}));
    });
    t = pressAll(f.plat, t + 10, {vk::Escape});
    f.plat.At(t, [&] {
        EXPECT_EQ(f.form.screenMode, modeMainMenu);
        EXPECT_FALSE(f.form.wbHelp.Visible);
        EXPECT_GE(f.form.wbHelp.Top, 1000);
        EXPECT_EQ(highlightedLine(f.form), 2) << "the highlight is still on Help";
        EXPECT_EQ(f.form.Image1.Top, 280 - 4);
    });
    // Switch to Czech, then help shows the Czech page.
    t = pressAll(f.plat, t + 10, {vk::Down, vk::Return, vk::Up, vk::Return});
    f.plat.At(t, [&] {
        EXPECT_EQ(f.form.screenMode, modeHelp);
        EXPECT_EQ(f.form.wbHelp.Location, f.folder.str() + "/help/napoveda.html");
    });
    t = pressAll(f.plat, t + 10, {vk::Escape});
    EXPECT_EQ(f.Run(), 0);
    EXPECT_EQ(f.form.screenMode, modeMainMenu);
}

TEST(HelpScreen, AMissingPageStillOpensAndClosesSayingSoInTheLanguageInForce) {
    UiFixture f;
    f.folder.remove("help");
    // The help rectangle as drawn now: which pixels are not the page's white.
    auto ink = [&] {
        const std::string png = (f.folder / "shot.png").string();
        EXPECT_TRUE(f.plat.SaveWindowPng(png));
        const PictureHandle shot = f.plat.GdipCreateBitmapFromFile(png);
        std::vector<bool> dark;
        for (int y = 15; y < 15 + 490; ++y)
            for (int x = 15; x < 15 + 770; ++x) dark.push_back(f.plat.PicturePixel(shot, x, y) != Rgba{255, 255, 255, 255});
        f.plat.GdipDisposeImage(shot);
        return dark;
    };
    std::vector<bool> english, czech;
    std::uint64_t t = pressAll(f.plat, kPlay, {vk::Down, vk::Down, vk::Space});
    f.plat.At(t, [&] {
        EXPECT_EQ(f.form.screenMode, modeHelp);
        english = ink();
    });
    t = pressAll(f.plat, t + 10, {vk::Escape, vk::Down, vk::Return, vk::Up, vk::Return});
    f.plat.At(t, [&] {
        EXPECT_TRUE(f.form.isCzech);
        EXPECT_EQ(f.form.screenMode, modeHelp);
        czech = ink();
    });
    t = pressAll(f.plat, t + 10, {vk::Escape});
    f.plat.At(t, [&] { EXPECT_EQ(f.form.screenMode, modeMainMenu); });
    EXPECT_EQ(f.Run(), 0);
    EXPECT_GT(std::count(english.begin(), english.end(), true), 100) << "not a blank white page";
    EXPECT_GT(std::count(czech.begin(), czech.end(), true), 100);
    EXPECT_NE(english, czech) << "each language says it in its own words";
}

TEST(PlaySequence, WinningTheLastLevelShowsTheFinalScreenForFiveSecondsThenPlay) {
    UiFixture f(fast());
    f.folder.makeWritable("levels");
    writeLevel(f.folder, "only", "Jediná/Only", 60, "end");
    useLevel(f.folder, "only");
    f.plat.Press(kPlay, vk::Return);
    std::uint64_t keyDuringFinal = 0;
    watchPlays(f.plat, f.form, kPlay, kPlay + 20000, [&](int attempt, std::uint64_t now) {
        ASSERT_EQ(attempt, 0) << "a won level is not played again";
        turnPipe(f.plat, now + 10, 100);
        // The won picture stands 4 s, then the congratulations 5 s: this Down falls
        // into the congratulations and must wait for the menu.
        keyDuringFinal = now + 10 + 200 + 4000 + 2500;
        f.plat.Press(keyDuringFinal, vk::Down);
        f.plat.At(keyDuringFinal + 10, [&] {
            EXPECT_EQ(f.form.Label5[0].Caption, "All levels solved.\r\nCongratulations!");
            for (const Label& l : f.form.Label5) EXPECT_TRUE(l.Visible);
            EXPECT_TRUE(f.form.picGame.Visible);
            EXPECT_EQ(f.form.screenMode, modeWon);
        });
    });
    EXPECT_EQ(f.Run(), 0);

    const std::vector<std::uint64_t> winner = timesOf(f.plat, "winner");
    ASSERT_EQ(winner.size(), 1u);
    const std::vector<std::uint64_t> moves = timesOf(f.plat, "menumove");
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_GE(moves[0], winner[0] + 4000 + 5000) << "the final screen blocks for five seconds";
    EXPECT_LT(moves[0], winner[0] + 4000 + 5000 + 100);

    for (const Label& l : f.form.Label5) EXPECT_EQ(l.Caption, "All levels solved.\r\nCongratulations!");
    EXPECT_FALSE(f.form.picGame.Visible);
    EXPECT_FALSE(f.form.Label4.Visible);
    EXPECT_EQ(f.form.currentLevel, "only");
    EXPECT_EQ(f.form.menuCursor, 1) << "Play was highlighted until the late Down";
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
    f.plat.Press(kPlay, vk::Return);
    std::vector<std::string> titles;
    watchPlays(f.plat, f.form, kPlay, kPlay + 60000, [&](int attempt, std::uint64_t now) {
        titles.push_back(f.form.levelTitle);
        if (attempt == 2) {
            // Leave the third level ("A" for "ano"), then choose Play again from the menu.
            f.plat.Press(now + 10, vk::Escape);
            f.plat.Press(now + 100, vk::letter('a'));
            f.plat.At(now + 1000, [&] {
                EXPECT_EQ(f.form.screenMode, modeMainMenu);
                EXPECT_FALSE(f.form.picGame.Visible);
                EXPECT_EQ(f.form.busyDepth, 0);
                EXPECT_EQ(highlightedLine(f.form), 0);
            });
            f.plat.Press(now + 1100, vk::Space);
        } else {
            turnPipe(f.plat, now + 10, 100);
        }
    });
    EXPECT_EQ(f.Run(), 0);
    EXPECT_EQ(titles, (std::vector<std::string>{"První", "Druhá", "Třetí", "První", "Druhá", "Třetí"}));
    EXPECT_EQ(f.form.currentLevel, "a");
    EXPECT_EQ(f.form.Label5[0].Caption, "Všechny úrovně vyřešeny.\r\nGratuluji!");
    EXPECT_EQ(count(f.plat.Sounds(), "winner"), 5);
}

TEST(PlaySequence, ALostLevelStartsAgainAtOnceAndLeavingEndsTheSequence) {
    UiFixture f(fast());
    f.folder.makeWritable("levels");
    writeLevel(f.folder, "short", "Krátká/Short", 1, "end");
    useLevel(f.folder, "short");
    f.plat.Press(kPlay, vk::Return);
    std::vector<std::uint64_t> plays;
    watchPlays(f.plat, f.form, kPlay, kPlay + 20000, [&](int attempt, std::uint64_t now) {
        plays.push_back(now);
        if (attempt == 2) {  // lost twice; leave the third attempt
            f.plat.Press(now + 10, vk::Escape);
            f.plat.Press(now + 100, vk::letter('y'));
        }
    });
    EXPECT_EQ(f.Run(), 0);
    ASSERT_EQ(plays.size(), 3u);
    const std::vector<std::uint64_t> lost = timesOf(f.plat, "looser");
    ASSERT_EQ(lost.size(), 2u);
    // Straight from the lost picture into the same level's title: nothing in between.
    EXPECT_LE(plays[1], lost[0] + 4000 + kTitle + 50);
    EXPECT_EQ(count(f.plat.Sounds(), "start"), 3);
    EXPECT_EQ(f.form.Label5[0].Caption, "Really quit?\r\nY / N") << "no congratulations after leaving";
    EXPECT_FALSE(f.form.picGame.Visible);
    EXPECT_EQ(f.form.currentLevel, "short");
}

TEST(PlaySequence, ALevelThatCannotBeLoadedOrIsNamedEndLeavesTheMenuWorking) {
    for (const std::string name : {"missing", "end", "fifo"}) {
        SCOPED_TRACE(name);
        UiFixture f(fast());
        // A FIFO never sends anything: reading it would freeze the window for good.
        f.folder.makeWritable("levels");
        ASSERT_EQ(::mkfifo((f.folder / "levels/fifo.kulap").c_str(), 0600), 0);
        useLevel(f.folder, name);
        f.plat.Press(kPlay, vk::Return);
        f.plat.Press(kPlay + 2000, vk::Down);
        f.plat.At(kPlay + 2100, [&] {
            EXPECT_EQ(f.form.screenMode, modeMainMenu);
            EXPECT_EQ(f.form.menuCursor, 1);
            EXPECT_EQ(f.form.busyDepth, 0);
        });
        EXPECT_EQ(f.Run(), 0);
        for (const Label& l : f.form.Label5) EXPECT_NE(l.Caption, texts::finalMessage(false));
        EXPECT_TRUE(timesOf(f.plat, "winner").empty());
    }
}

TEST(PlaySequence, ClosingTheWindowDuringALevelEndsTheSequenceAndTheProgram) {
    UiFixture f(fast());
    f.folder.makeWritable("levels");
    writeLevel(f.folder, "a", "A/A", 60, "end");
    useLevel(f.folder, "a");
    f.plat.Press(kPlay, vk::Return);
    watchPlays(f.plat, f.form, kPlay, kPlay + 10000, [&](int, std::uint64_t now) {
        f.plat.Close(now + 500);
        f.plat.Press(now + 600, vk::Return);  // queued behind the close: starts nothing
    });
    EXPECT_EQ(f.Run(), 0);
    EXPECT_TRUE(f.form.unloaded);
    EXPECT_EQ(f.form.screenMode, modeMainMenu);
    EXPECT_EQ(count(f.plat.Sounds(), "start"), 1);
    for (const Label& l : f.form.Label5) EXPECT_NE(l.Caption, texts::finalMessage(false));
}

}  // namespace
}  // namespace tk::test

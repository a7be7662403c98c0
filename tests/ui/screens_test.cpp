// Help, the chain of levels started by "Play", the congratulations at its end.
#include <gtest/gtest.h>

#include "ui/texts.h"
#include "ui_session.h"

namespace tk::test {
namespace {

constexpr std::uint64_t kPlay = GameFixture::kMenuReady + 100;
// From a level's start: its title stands for 1500 ms, then play begins.
constexpr std::uint64_t kTitle = 1500;

void useLevel(const ProgramFolder& folder, const std::string& name) {
    folder.write("options.txt", "fullscreen:off\r\nmusic:off\r\nlevel:" + name + "\r\n");
}

std::string longPage(const std::string& word) {
    std::string html = "<html><body>";
    for (int i = 0; i < 200; ++i) html += "<p>" + word + " " + std::to_string(i) + "</p>";
    return html + "</body></html>";
}

TEST(Help, OpensScrollsAndClosesWithEscOnlyShowingThePageOfTheLanguageInForce) {
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

TEST(Help, AMissingPageStillOpensAndCloses) {
    UiFixture f;
    f.folder.remove("help");
    std::uint64_t t = pressAll(f.plat, kPlay, {vk::Down, vk::Down, vk::Space});
    f.plat.At(t, [&] { EXPECT_EQ(f.form.screenMode, modeHelp); });
    t = pressAll(f.plat, t + 10, {vk::Escape});
    f.plat.At(t, [&] { EXPECT_EQ(f.form.screenMode, modeMainMenu); });
    EXPECT_EQ(f.Run(), 0);
}

TEST(PlaySequence, WinningTheLastLevelShowsTheFinalScreenForFiveSecondsThenPlay) {
    UiFixture f;
    f.folder.makeWritable("levels");
    writeLevel(f.folder, "only", "Jediná/Only", 60, "end");
    useLevel(f.folder, "only");
    f.plat.Press(kPlay, vk::Return);
    turnPipe(f.plat, kPlay + kTitle - 100, 300);  // held across the start of play
    // Keys pressed while the final screen stands are handled on the menu afterwards.
    const std::uint64_t late = kPlay + 12000;
    f.plat.Press(late, vk::Down);
    EXPECT_EQ(f.Run(), 0);

    const std::vector<Recorded> winner = [&] {
        std::vector<Recorded> w;
        for (const Recorded& r : f.plat.LogOf("sound"))
            if (r.detail == "winner") w.push_back(r);
        return w;
    }();
    ASSERT_EQ(winner.size(), 1u);
    // The won picture stands 4000 ms, then the final texts 5000 ms.
    const std::uint64_t finalShown = winner[0].at + 4000;
    std::vector<Recorded> menuMoves;
    for (const Recorded& r : f.plat.LogOf("sound"))
        if (r.detail == "menumove") menuMoves.push_back(r);
    ASSERT_EQ(menuMoves.size(), 1u);
    EXPECT_GE(menuMoves[0].at, finalShown + 5000) << "the final screen blocks for five seconds";

    for (const Label& l : f.form.Label5) EXPECT_EQ(l.Caption, "All levels solved.\r\nCongratulations!");
    EXPECT_FALSE(f.form.picGame.Visible);
    EXPECT_FALSE(f.form.Label4.Visible);
    EXPECT_EQ(f.form.currentLevel, "only");
    EXPECT_EQ(f.form.menuCursor, 1) << "Play was highlighted until the late Down";
}

TEST(PlaySequence, AChainWonToItsEndIsCongratulatedInCzech) {
    UiFixture f;
    f.folder.write("AtToMluvi.Cesky", "");
    f.folder.makeWritable("levels");
    writeLevel(f.folder, "a", "A/A", 60, "b");
    writeLevel(f.folder, "b", "B/B", 60, "end");
    useLevel(f.folder, "a");
    f.plat.Press(kPlay, vk::Return);
    // Hold the turn for the whole of both levels: it keeps turning while held and the
    // water is evaluated on release, so release once inside each level's play.
    turnPipe(f.plat, kPlay + kTitle - 100, 300);
    std::uint64_t secondStart = 0;
    f.plat.At(kPlay + 6000, [&] { secondStart = f.plat.Now(); });
    EXPECT_EQ(f.Run(), 0);
    (void)secondStart;
}

TEST(PlaySequence, ALostLevelStartsAgainAtOnceAndLeavingEndsTheSequence) {
    UiFixture f;
    f.folder.makeWritable("levels");
    writeLevel(f.folder, "short", "Krátká/Short", 1, "end");
    useLevel(f.folder, "short");
    f.plat.Press(kPlay, vk::Return);
    // First attempt: lost after a second, 4000 ms of the lost picture, then the title
    // of the second attempt; leave during its play.
    const std::uint64_t secondPlay = kPlay + kTitle + 1000 + 4000 + kTitle;
    f.plat.Press(secondPlay + 100, vk::Escape);
    f.plat.Press(secondPlay + 200, vk::letter('y'));
    EXPECT_EQ(f.Run(), 0);
    const std::vector<std::string> sounds = f.plat.Sounds();
    EXPECT_EQ(count(sounds, "looser"), 1);
    EXPECT_EQ(count(sounds, "start"), 2);
    EXPECT_EQ(f.form.Label5[0].Caption, "Really quit?\r\nY / N");
    EXPECT_NE(f.form.Label5[0].Caption, texts::finalMessage(false)) << "no congratulations after leaving";
    EXPECT_FALSE(f.form.picGame.Visible);
}

}  // namespace
}  // namespace tk::test

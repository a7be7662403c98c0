// Best times from the player's side: kept at a win, beaten only by a faster one, shown under
// the level's title and summed on the final screen, kept over a restart, and a damaged
// scores file set aside without stopping the game.
#include <gtest/gtest.h>

#include <filesystem>

#include "ui/texts.h"
#include "ui_session.h"

namespace tk::test {
namespace {

constexpr std::uint64_t kPlay = GameFixture::kMenuReady + 100;
// A won level's picture stands 4 s, the congratulations 5 s; then the menu takes keys.
constexpr std::uint64_t kBackToMenu = 4000 + 5000 + 300;

HeadlessOptions fast() {
    HeadlessOptions o;
    o.drawBoard = false;
    return o;
}

// One level of one quarter turn, 60 s long, the last of its chain; "Play" starts it.
void onlyLevel(const ProgramFolder& folder) {
    folder.makeWritable("levels");
    writeLevel(folder, "only", "Jediná/Only", 60, "end");
    folder.write("options.txt", "fullscreen:off\r\nmusic:off\r\nlevel:only\r\n");
}

// Plays the level once per entry of `waits`, winning it after that many ms of play, and
// notes what the title said as the level began and what stood over the won picture.
struct Rounds {
    explicit Rounds(std::vector<std::uint64_t> w) : waits(std::move(w)) {}
    std::vector<std::uint64_t> waits;
    std::vector<std::string> titles;      // the title as each round began
    std::vector<std::string> overWin;     // the words over the won picture ("" for none)
    std::vector<std::string> finals;      // the final screen of each round

    void Script(UiFixture& f) {
        f.plat.Press(kPlay, Key::Return);
        f.plat.At(kPlay + 300, [&f, this] { titles.push_back(f.view().play.title); });
        watchPlays(f.plat, f.program, kPlay, kPlay + 20000 * waits.size(), [&f, this](int round, std::uint64_t now) {
            if (round >= static_cast<int>(waits.size())) return;
            const std::uint64_t won = now + waits[round];
            turnPipe(f.plat, won, 100);
            f.plat.At(won + 1000, [&f, this] {
                const PlayView& t = f.view().play;
                overWin.push_back(t.titleShown ? t.title : "");
            });
            f.plat.At(won + 6000, [&f, this] { finals.push_back(f.view().play.title); });
            if (round + 1 < static_cast<int>(waits.size())) {
                f.plat.Press(won + kBackToMenu, Key::Return);
                f.plat.At(won + kBackToMenu + 300, [&f, this] { titles.push_back(f.view().play.title); });
            }
        });
    }
};

TEST(BestTimes, AWinSetsABestASlowerOneDoesNotAFasterOneDoesAndSaysSo) {
    UiFixture f(fast());
    onlyLevel(f.folder);
    // 60 s on the clock: won with 55, then 52, then 60 s left.
    Rounds rounds{{5000, 8000, 10}};
    rounds.Script(f);
    EXPECT_EQ(f.Run(), 0);

    EXPECT_EQ(rounds.titles, (std::vector<std::string>{"Only", "Only\r\nBest: 00:55 left", "Only\r\nBest: 00:55 left"}));
    EXPECT_EQ(rounds.overWin, (std::vector<std::string>{"New best!", "", "New best!"}));
    const std::string congratulations = texts::finalMessage(false) + "\r\n";
    EXPECT_EQ(rounds.finals, (std::vector<std::string>{congratulations + "Bests in all: 00:55",
                                                        congratulations + "Bests in all: 00:55",
                                                        congratulations + "Bests in all: 01:00"}));
    EXPECT_EQ(count(f.plat.Sounds(), "winner"), 3) << "every win sounds, a best or not";
    EXPECT_EQ(f.folder.read("scores.txt"), "60 only\r\n");
    EXPECT_EQ(leftovers(f.folder), std::vector<std::string>{});
    EXPECT_EQ(f.folder.read("options.txt"), "fullscreen:off\r\nmusic:off\r\nlevel:only\r\n") << "settings untouched";
}

TEST(BestTimes, SurviveARestartAndShowInCzech) {
    UiFixture first(fast());
    onlyLevel(first.folder);
    Rounds once{{3000}};
    once.Script(first);
    EXPECT_EQ(first.Run(), 0);
    ASSERT_EQ(first.folder.read("scores.txt"), "57 only\r\n");

    // The same folder started again, now in Czech.
    HeadlessOptions again = fast();
    again.programFolder = first.folder.str();
    first.folder.write("AtToMluvi.Cesky", "");
    HeadlessPlatform plat(again);
    Program program(plat);
    std::string title;
    plat.Press(kPlay, Key::Return);
    plat.At(kPlay + 300, [&] { title = program.view().play.title; });
    plat.Close(kPlay + 600);
    EXPECT_EQ(program.Run(), 0);
    EXPECT_EQ(title, "Jediná\r\nRekord: zbylo 00:57");
    EXPECT_EQ(program.bestTimes().Best("only"), 57);
}

TEST(BestTimes, ADamagedScoresFileIsSetAsideAndPlayGoesOnWithoutBests) {
    const std::string damaged[] = {"garbage\r\n", "55 only\r\n-3 other\r\n", "55 ../../etc/passwd\r\n",
                                   std::string("\0\1\2", 3), "99999 only\r\n"};
    for (const std::string& bytes : damaged) {
        SCOPED_TRACE(bytes);
        UiFixture f(fast());
        onlyLevel(f.folder);
        f.folder.write("scores.txt", bytes);
        Rounds once{{2000}};
        once.Script(f);
        EXPECT_EQ(f.Run(), 0);
        EXPECT_EQ(f.folder.read("scores.txt.bad"), bytes) << "kept for whoever wants to look";
        ASSERT_EQ(f.plat.LogOf("stderr").size(), 1u) << "whoever started the game is told";
        EXPECT_NE(f.plat.LogOf("stderr")[0].detail.find("scores.txt.bad"), std::string::npos);
        ASSERT_EQ(once.titles.size(), 1u);
        EXPECT_EQ(once.titles[0], "Only") << "no best was read from it";
        EXPECT_EQ(once.overWin, std::vector<std::string>{"New best!"});
        EXPECT_EQ(f.folder.read("scores.txt"), "58 only\r\n");
    }
}

TEST(BestTimes, AScoresFileThatCannotBeWrittenNeverStopsTheGame) {
    UiFixture f(fast());
    onlyLevel(f.folder);
    // A folder where the file should be: it can be neither read nor replaced.
    std::filesystem::create_directory(f.folder / "scores.txt");
    Rounds twice{{1000, 2000}};
    twice.Script(f);
    EXPECT_EQ(f.Run(), 0);
    EXPECT_EQ(twice.overWin, (std::vector<std::string>{"New best!\r\nThe game cannot write it down.", ""}))
        << "the best counts for this run, and the player is told it is not written down";
    EXPECT_EQ(twice.titles.size(), 2u);
    EXPECT_TRUE(std::filesystem::is_directory(f.folder / "scores.txt")) << "never moved aside";
    // Told once when it could not be read, and once for the best that could not be kept.
    EXPECT_EQ(f.plat.LogOf("stderr").size(), 2u);
    EXPECT_FALSE(f.folder.exists("scores.txt.bad"));
    EXPECT_EQ(leftovers(f.folder), std::vector<std::string>{});
    // Kept for the window to say beside "New best!".
    EXPECT_NE(f.program.bestTimes().NotKept().find(f.folder.str() + "/scores.txt"), std::string::npos)
        << f.program.bestTimes().NotKept();
}

TEST(BestTimes, ABestAnotherGameKeptMeanwhileStaysAndTheBetterOneWins) {
    UiFixture f(fast());
    onlyLevel(f.folder);
    // A second game in the same folder, started before this one's win.
    PlayerFiles files;
    BestTimes other(files, (f.folder / "scores.txt").string(), [](const std::string&) {});
    other.Load();
    f.plat.At(kPlay + 500, [&] {
        EXPECT_TRUE(other.Record("02", 40));
        EXPECT_TRUE(other.Record("only", 59)) << "better than this game is about to do";
    });
    Rounds once{{2000}};
    once.Script(f);
    EXPECT_EQ(f.Run(), 0);
    EXPECT_EQ(f.folder.read("scores.txt"), "40 02\r\n59 only\r\n");
    EXPECT_EQ(once.overWin, std::vector<std::string>{""}) << "58 s left is no best beside the other game's 59";
    EXPECT_EQ(f.program.bestTimes().Best("02"), 40) << "this game now knows the other's bests";
}

TEST(BestTimes, EachDamagedFileIsKeptBesideTheOnesBefore) {
    UiFixture f(fast());
    onlyLevel(f.folder);
    f.folder.write("scores.txt.bad", "the first damaged file");
    f.folder.write("scores.txt", "the second");
    f.plat.Close(GameFixture::kMenuReady);
    EXPECT_EQ(f.Run(), 0);
    EXPECT_EQ(f.folder.read("scores.txt.bad"), "the second");
    EXPECT_EQ(f.folder.read("scores.txt.bad.1"), "the first damaged file");
    EXPECT_EQ(f.program.bestTimes().SetAsideAs(), f.folder.str() + "/scores.txt.bad") << "kept for the window to tell";
    const auto notices = f.plat.LogOf("notice");
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].detail, "The best times file was damaged: it is set aside as scores.txt.bad.");
}

TEST(BestTimes, ADamagedFileIsToldInTheLanguageInForce) {
    UiFixture f(fast());
    onlyLevel(f.folder);
    f.folder.write("AtToMluvi.Cesky", "");
    f.folder.write("scores.txt", "damaged");
    f.plat.Close(GameFixture::kMenuReady);
    EXPECT_EQ(f.Run(), 0);
    const auto notices = f.plat.LogOf("notice");
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].detail, "Soubor s rekordy byl poškozený: je odložen jako scores.txt.bad.");
}

TEST(BestTimes, AFileAsAPlayerMightEditItStillCounts) {
    UiFixture f(fast());
    onlyLevel(f.folder);
    // A byte-order mark, LF line ends, a blank line, the same level twice.
    f.folder.write("scores.txt", "\xEF\xBB\xBF" "30 only\n\n40 only\n12 some other level");
    std::string title;
    f.plat.Press(kPlay, Key::Return);
    f.plat.At(kPlay + 300, [&] { title = f.view().play.title; });
    f.plat.Close(kPlay + 2000);  // not won: the level is left
    EXPECT_EQ(f.Run(), 0);
    EXPECT_EQ(title, "Only\r\nBest: 00:40 left");
    EXPECT_EQ(f.program.bestTimes().InAll(), 52);
    EXPECT_FALSE(f.folder.exists("scores.txt.bad"));
    EXPECT_TRUE(f.plat.LogOf("stderr").empty());
}

}  // namespace
}  // namespace tk::test

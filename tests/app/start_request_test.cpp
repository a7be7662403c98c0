// Starting the game as the command line asks: a level file from anywhere, a level by name,
// a random level of a band from a seed, and the day's puzzle.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "puzzle/daily.h"
#include "puzzle/play_generator.h"
#include "support/game_fixture.h"
#include "support/trial_level.h"
#include "ui/texts.h"

namespace tk::test {
namespace {

StartRequest fileRequest(const std::filesystem::path& path) {
    StartRequest r;
    r.kind = StartRequest::Kind::File;
    r.path = path.string();
    return r;
}

StartRequest levelRequest(const std::string& name) {
    StartRequest r;
    r.kind = StartRequest::Kind::Level;
    r.name = name;
    return r;
}

struct Asked : ::testing::Test {
    Asked() : plat(withFolder(folder)) {}
    static HeadlessOptions withFolder(const ProgramFolder& f) {
        HeadlessOptions o;
        o.programFolder = f.str();
        return o;
    }
    // A level of the player's own, outside the game's folders: three steps right and a
    // counter-clockwise turn win it.
    void writeOwn(const std::string& name, const std::string& title, const std::string& next) {
        LevelFile level = trialLevel({"FFFH", "LLLG"}, 0, 0, 0, 0);
        level.titleEn = level.titleCs = title;
        level.nextLevel = next;
        std::ofstream(own.path() / (name + ".kulap"), std::ios::binary) << writeLevel(level);
    }
    ProgramFolder folder;
    ProgramFolder own{false};
    HeadlessPlatform plat;
};

TEST_F(Asked, ALevelFileFromAnywhereIsPlayedAndLeadsToTheNextOneBesideIt) {
    writeOwn("first", "First", "second");
    writeOwn("second", "Second", "end");
    Program program(plat, fileRequest(own.path() / "first.kulap"));
    // Start-up, then the level's title for 1.5 s; then the plan, a step at a time.
    for (std::uint64_t at : {3000, 3400, 3800}) plat.Press(at, Key::Right, 0, 40);
    plat.KeyDown(4200, Key::Control);
    plat.Press(4210, Key::Left, 0, 40);
    plat.KeyUp(4300, Key::Control);
    plat.At(2900, [&] {
        EXPECT_EQ(program.screen(), Menus::Screen::Levels);
        EXPECT_EQ(program.play().state().levelTitle, "First");
    });
    // The win's picture stands four seconds, then the next level of the file's folder.
    plat.At(10500, [&] {
        EXPECT_EQ(program.play().state().levelTitle, "Second");
        EXPECT_EQ(program.screen(), Menus::Screen::Levels);
    });
    plat.Press(11000, Key::Escape);
    plat.Press(11200, Key::Y);
    plat.At(12000, [&] { EXPECT_EQ(program.screen(), Menus::Screen::MainMenu) << "leaving it shows the menu"; });
    EXPECT_EQ(program.Run(), 0);
    // Its name may be a shipped level's: a level from elsewhere keeps no best time.
    for (const Recorded& write : plat.LogOf("file.write")) EXPECT_EQ(write.detail.find("scores"), std::string::npos);
    EXPECT_FALSE(program.bestTimes().Best("first").has_value());
}

TEST_F(Asked, ALevelFileTheGameCannotPlayEndsTheProgramBeforeAnyWindowShows) {
    std::ofstream(own.path() / "broken.kulap") << "Title\r\nnot a number\r\n";
    Program program(plat, fileRequest(own.path() / "broken.kulap"));
    EXPECT_EQ(program.Run(), 1);
    EXPECT_FALSE(plat.WindowShown());
    const auto said = plat.LogOf("stderr");
    ASSERT_FALSE(said.empty());
    for (const Recorded& line : said) EXPECT_EQ(line.detail.rfind((own.path() / "broken.kulap").string() + ":", 0), 0u);
    EXPECT_TRUE(plat.LogOf("file.write").empty());
}

TEST_F(Asked, ALevelByNameIsPlayedFromTheLevelsFolderAndAMissingOneIsRefused) {
    {
        Program program(plat, levelRequest("05"));
        plat.At(2900, [&] {
            EXPECT_EQ(program.screen(), Menus::Screen::Levels);
            EXPECT_EQ(program.play().state().nextLevel, "06");
        });
        plat.Press(3000, Key::Escape);
        plat.Press(3200, Key::Y);
        EXPECT_EQ(program.Run(), 0);
        EXPECT_EQ(program.settings().currentLevel, "01") << "the level \"Play\" starts with stays";
    }
    HeadlessPlatform again(withFolder(folder));
    Program missing(again, levelRequest("99"));
    EXPECT_EQ(missing.Run(), 1);
    EXPECT_FALSE(again.WindowShown());
    ASSERT_EQ(again.LogOf("stderr").size(), 1u);
    EXPECT_NE(again.LogOf("stderr")[0].detail.find("99.kulap: cannot read: file not found"), std::string::npos);
}

TEST_F(Asked, ARandomLevelOfTheAskedBandAndSeedAndTheDaysPuzzleStartOnceTheMenuIsUp) {
    StartRequest random;
    random.kind = StartRequest::Kind::Random;
    random.band = Difficulty::Hard;
    random.seed = 7;
    const Generated made = generateForPlay(Difficulty::Hard, 7);
    Program program(plat, random);
    bool looked = false;
    plat.At(GameFixture::kMenuReady + 3000, [&] {
        looked = true;
        EXPECT_EQ(program.screen(), Menus::Screen::Levels);
        EXPECT_EQ(program.play().state().levelTitle, texts::randomTitle(false, Difficulty::Hard, made.seed));
        EXPECT_EQ(program.play().state().playerX, made.level.playerX);
    });
    plat.Press(GameFixture::kMenuReady + 3100, Key::Escape);
    plat.Press(GameFixture::kMenuReady + 3600, Key::Y);
    plat.At(GameFixture::kMenuReady + 6000, [&] { EXPECT_EQ(program.screen(), Menus::Screen::MainMenu) << "leaving shows the menu"; });
    EXPECT_EQ(program.Run(), 0);
    EXPECT_TRUE(looked);
    EXPECT_TRUE(plat.LogOf("stderr").empty());

    HeadlessOptions o = withFolder(folder);
    o.utcSecondsAtStart = 1749686400;  // 2025-06-12 00:00 UTC
    HeadlessPlatform dayPlat(o);
    StartRequest daily;
    daily.kind = StartRequest::Kind::Daily;
    Program day(dayPlat, daily);
    const CivilDate june12 = utcDateOf(1749686400);
    dayPlat.At(GameFixture::kMenuReady + 3000, [&] {
        EXPECT_EQ(day.screen(), Menus::Screen::Levels);
        EXPECT_EQ(day.play().state().levelTitle, texts::dailyTitle(false, june12, dailyBand(june12)));
    });
    EXPECT_EQ(day.Run(), 0);
}

}  // namespace
}  // namespace tk::test

// Every text the game shows fits its place in the look with the font the game finds, wrapping where it must.
#include <gtest/gtest.h>

#include <SDL_ttf.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "game/clock.h"
#include "platform/headless_platform.h"
#include "platform/sdl_text.h"
#include "platform/window_look.h"
#include "puzzle/level_file.h"
#include "ui/credits.h"
#include "ui/texts.h"

namespace tk::test {
namespace {

std::vector<std::string> words(const std::string& text) {
    std::vector<std::string> out;
    std::string all = text;
    for (char& c : all)
        if (c == '\r' || c == '\n') c = ' ';
    std::istringstream in(all);
    for (std::string w; in >> w;) out.push_back(w);
    return out;
}

std::string joined(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines) out += l + "\n";
    return out;
}

int width(TTF_Font* font, const std::string& text) {
    int w = 0;
    if (!text.empty()) TTF_SizeUTF8(font, text.c_str(), &w, nullptr);
    return w;
}

// The text in its place as the painter sets it: every line inside the box's width (or,
// for a box as large as its text, inside the window), every line inside its height where
// it has one, and no word lost on the way.
void expectFits(sdl::TextBlock block, const std::string& text, const std::string& where) {
    SCOPED_TRACE(where + ": \"" + text + "\"");
    block.text = text;
    TTF_Font* font = sdl::TextFont(block.look);
    ASSERT_NE(font, nullptr);
    const std::vector<std::string> lines = sdl::BlockLines(block, font);
    const int room = block.box.width == 0 ? 800 - block.box.left : block.box.width;
    for (const std::string& line : lines) EXPECT_LE(width(font, line), room) << line;
    if (block.box.height > 0) {
        EXPECT_LE(static_cast<int>(lines.size()) * TTF_FontLineSkip(font), block.box.height) << joined(lines);
    }
    EXPECT_EQ(words(joined(lines)), words(text));
}

class Captions : public ::testing::Test {
protected:
    HeadlessPlatform plat{HeadlessOptions{}};  // brings SDL_ttf up

    static sdl::TextBlock menuLine(int i, MenuView::Page page) {
        return {"", look::MenuText(page, false), look::MenuLine(i)};
    }
    static sdl::TextBlock title() { return {"", look::TitleText(), look::kTitle}; }
    static sdl::TextBlock clock() { return {"", look::ClockText(), look::kClock}; }
    // The notice's band grows with its lines; only its width is fixed.
    static sdl::TextBlock notice() {
        sdl::TextBlock b{"", look::NoticeText(), look::kNotice};
        b.box.width -= 2 * look::kNoticePadding;
        return b;
    }
};

TEST_F(Captions, WrapAtBlanksOnlyInLabelsOfFixedSize) {
    sdl::TextBlock title = Captions::title();
    TTF_Font* font = sdl::TextFont(title.look);
    ASSERT_NE(font, nullptr);
    // Wider than the board at 48 pt: it breaks between its words, above the second line.
    title.text = texts::finalMessage(true);
    ASSERT_GT(width(font, "Všechny úrovně vyřešeny."), title.box.width);
    const auto lines = sdl::BlockLines(title, font);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0] + " " + lines[1], "Všechny úrovně vyřešeny.");
    EXPECT_EQ(lines[2], "Gratuluji!");
    // A word wider than the label stays whole; a label as large as its text never wraps.
    title.text = std::string(60, 'W') + " x";
    EXPECT_EQ(sdl::BlockLines(title, font), (std::vector<std::string>{std::string(60, 'W'), "x"}));
    title.box.width = 0;
    title.text = "Všechny úrovně vyřešeny.";
    EXPECT_EQ(sdl::BlockLines(title, font).size(), 1u);
    // The level line keeps its indent when it fits, and when it wraps.
    sdl::TextBlock level = menuLine(4, MenuView::Page::Options);
    level.text = texts::optionsLevelLine("01");
    EXPECT_EQ(sdl::BlockLines(level, sdl::TextFont(level.look)), std::vector<std::string>{"   01"});
    level.text = texts::optionsLevelLine("a b c d e f g h i j k l m n o p q r s t u v w x y z 0 1 2 3");
    const auto wrapped = sdl::BlockLines(level, sdl::TextFont(level.look));
    ASSERT_GT(wrapped.size(), 1u);
    EXPECT_EQ(wrapped[0].rfind("   a b", 0), 0u);
    EXPECT_NE(wrapped[1].front(), ' ');
}

TEST_F(Captions, EveryCaptionOfBothLanguagesFitsItsLabel) {
    for (bool cz : {true, false}) {
        const std::string lang = cz ? "Czech " : "English ";
        for (int i = 0; i < 5; ++i) expectFits(menuLine(i, MenuView::Page::Main), texts::menuLine(cz, i), lang + "menu");
        const sdl::TextBlock options = menuLine(1, MenuView::Page::Options);
        for (const std::string& caption :
             {texts::optionsBack(cz), texts::optionsDisplay(cz, true), texts::optionsDisplay(cz, false),
              texts::optionsMusic(cz, true), texts::optionsMusic(cz, false), texts::optionsChooseLevel(cz),
              texts::levelNotFound(cz)})
            expectFits(options, caption, lang + "options");
        expectFits(menuLine(MenuView::kSideLine, MenuView::Page::Options), texts::optionsMadeLevels(cz),
                   lang + "options side line");
        // The page of made levels, with every band, and the day's line with the longest best.
        std::vector<std::string> page = {texts::dailyPuzzle(cz), texts::randomLevel(cz)};
        for (Difficulty band : {Difficulty::Easy, Difficulty::Medium, Difficulty::Hard, Difficulty::Expert}) {
            page.push_back(texts::difficultyLine(cz, band));
            page.push_back(texts::dailyLine(cz, band, Clock::Text(600)));
            // A day's title with its best below it, a random level's with the largest seed.
            expectFits(title(), texts::dailyTitle(cz, CivilDate{2025, 12, 28}, band) + "\r\n" +
                                    texts::bestLine(cz, Clock::Text(600)),
                       lang + "daily title");
            expectFits(title(), texts::randomTitle(cz, band, 999'999), lang + "random title");
            // The result, on one line within the band, with its keys below.
            sdl::TextBlock result{"", look::ResultText(), look::kResult};
            result.box.width -= 2 * look::kResultPadding;
            result.box.height = kBoardHeight - look::kResult.top - 2 * look::kResultPadding;
            const std::string line = texts::dailyResult(cz, CivilDate{2025, 12, 28}, band, Clock::Text(600), 99);
            result.text = line + "\r\n" + texts::dailyResultKeys(cz);
            expectFits(result, result.text, lang + "daily result");
            EXPECT_EQ(sdl::BlockLines(result, sdl::TextFont(result.look)).size(), 2u) << "the result on one line";
        }
        for (const std::string& caption : page)
            expectFits(options, caption, lang + "made levels");
        expectFits(title(), texts::dailySolved(cz), lang + "daily solved");
        expectFits(notice(), texts::resultCopied(cz), lang + "copied");
        expectFits(notice(), texts::cannotCopy(cz), lang + "cannot copy");
        expectFits(title(), texts::quitQuestion(cz), lang + "quit question");
        // The final screen with the largest sum of bests the thirty levels could give.
        expectFits(title(), texts::finalMessage(cz) + "\r\n" + texts::bestsInAll(cz, Clock::Text(30 * 570)),
                   lang + "final screen");
        expectFits(title(), texts::noWayFromHere(cz), lang + "no way");
        expectFits(title(), texts::noHint(cz), lang + "no hint");
        expectFits(title(), texts::newBest(cz), lang + "new best");
        expectFits({"", look::CreditHeadingsText(), look::kCreditHeadings}, texts::creditsHeadings(cz),
                   lang + "credits");
        // The notices, with the longest level name a file can have.
        expectFits(notice(), texts::noSoundDevice(cz), lang + "no sound device");
        expectFits(notice(), texts::cannotRemember(cz), lang + "cannot remember");
        expectFits(notice(), texts::levelCannotBeLoaded(cz, std::string(24, 'w')), lang + "level cannot be loaded");
    }
    expectFits({"", look::CreditNamesText(), look::kCreditNames}, kCreditNames, "credit names");

    // The clock: every time a level can give it, from -99:59 (the levels tool warns
    // about a limit below zero) to the largest limit a file can hold.
    std::string widest;
    TTF_Font* clockFont = sdl::TextFont(look::ClockText());
    ASSERT_NE(clockFont, nullptr);
    for (int t = -5999; t <= 32767; ++t) {
        const std::string text = tk::Clock::Text(t);
        if (widest.empty() || width(clockFont, text) > width(clockFont, widest)) widest = text;
    }
    expectFits(clock(), widest, "clock");

    // Every shipped level: its name on the options screen, its titles over the board.
    int levels = 0;
    for (const auto& entry : std::filesystem::directory_iterator(std::string(TK_DATA_DIR) + "/levels")) {
        if (entry.path().extension() != ".kulap") continue;
        const LevelRead read = readLevelFile(entry.path().string());
        ASSERT_TRUE(read.level) << entry.path();
        ++levels;
        const std::string name = entry.path().stem().string();
        expectFits(menuLine(4, MenuView::Page::Options), texts::optionsLevelLine(name), "level line");
        // With the best time below it: at most the whole time limit was left.
        const std::string best = Clock::Text(read.level->timeLimit);
        expectFits(title(), read.level->titleCs + "\r\n" + texts::bestLine(true, best), name + " Czech title");
        expectFits(title(), read.level->titleEn + "\r\n" + texts::bestLine(false, best),
                   name + " English title");
    }
    EXPECT_GE(levels, 30);
}

}  // namespace
}  // namespace tk::test

// Every caption the game shows fits its label with the font the game finds, wrapping where it must.
#include <gtest/gtest.h>

#include <SDL_ttf.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "app/window_layout.h"
#include "game/clock.h"
#include "platform/headless_platform.h"
#include "platform/sdl_text.h"
#include "puzzle/level_file.h"
#include "ui/credits.h"
#include "ui/menu_look.h"
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

// The caption in the label as the game sets it: every line inside the label's width (or,
// for a label as large as its text, inside the window), every line inside its height,
// and no word lost on the way.
void expectFits(Label label, const std::string& caption, const std::string& where) {
    SCOPED_TRACE(where + ": \"" + caption + "\"");
    label.Caption = caption;
    TTF_Font* font = sdl::LabelFont(label);
    ASSERT_NE(font, nullptr);
    const std::vector<std::string> lines = sdl::LabelLines(label, font);
    const int room = label.AutoSize ? 800 - label.Left : label.Width;
    for (const std::string& line : lines) EXPECT_LE(width(font, line), room) << line;
    if (!label.AutoSize) {
        EXPECT_LE(static_cast<int>(lines.size()) * TTF_FontLineSkip(font), label.Height) << joined(lines);
    }
    EXPECT_EQ(words(joined(lines)), words(caption));
}

class Captions : public ::testing::Test {
protected:
    Captions() { LayOutWindow(ctl); }
    HeadlessPlatform plat{HeadlessOptions{}};  // brings SDL_ttf up
    Controls ctl;

    Label menuLine(int i, double points) const {
        Label l = ctl.menuLines[i];
        l.FontSize = points;
        return l;
    }
};

TEST_F(Captions, WrapAtBlanksOnlyInLabelsOfFixedSize) {
    Label title = ctl.titles[0];
    TTF_Font* font = sdl::LabelFont(title);
    ASSERT_NE(font, nullptr);
    // Wider than the board at 48 pt: it breaks between its words, above the second line.
    title.Caption = texts::finalMessage(true);
    ASSERT_GT(width(font, "Všechny úrovně vyřešeny."), title.Width);
    const auto lines = sdl::LabelLines(title, font);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0] + " " + lines[1], "Všechny úrovně vyřešeny.");
    EXPECT_EQ(lines[2], "Gratuluji!");
    // A word wider than the label stays whole; a label as large as its text never wraps.
    title.Caption = std::string(60, 'W') + " x";
    EXPECT_EQ(sdl::LabelLines(title, font), (std::vector<std::string>{std::string(60, 'W'), "x"}));
    title.AutoSize = true;
    title.Caption = "Všechny úrovně vyřešeny.";
    EXPECT_EQ(sdl::LabelLines(title, font).size(), 1u);
    // The level line keeps its indent when it fits, and when it wraps.
    Label level = menuLine(4, menulook::kOptionsPt);
    level.Caption = texts::optionsLevelLine("01");
    EXPECT_EQ(sdl::LabelLines(level, sdl::LabelFont(level)), std::vector<std::string>{"   01"});
    level.Caption = texts::optionsLevelLine("a b c d e f g h i j k l m n o p q r s t u v w x y z 0 1 2 3");
    const auto wrapped = sdl::LabelLines(level, sdl::LabelFont(level));
    ASSERT_GT(wrapped.size(), 1u);
    EXPECT_EQ(wrapped[0].rfind("   a b", 0), 0u);
    EXPECT_NE(wrapped[1].front(), ' ');
}

TEST_F(Captions, EveryCaptionOfBothLanguagesFitsItsLabel) {
    for (bool cz : {true, false}) {
        const std::string lang = cz ? "Czech " : "English ";
        for (int i = 0; i < 5; ++i) expectFits(menuLine(i, menulook::kMainMenuPt), texts::menuLine(cz, i), lang + "menu");
        const Label options = menuLine(1, menulook::kOptionsPt);
        for (const std::string& caption :
             {texts::optionsBack(cz), texts::optionsDisplay(cz, true), texts::optionsDisplay(cz, false),
              texts::optionsMusic(cz, true), texts::optionsMusic(cz, false), texts::optionsChooseLevel(cz),
              texts::levelNotFound(cz)})
            expectFits(options, caption, lang + "options");
        expectFits(ctl.titles[0], texts::quitQuestion(cz), lang + "quit question");
        // The final screen with the largest sum of bests the thirty levels could give.
        expectFits(ctl.titles[0], texts::finalMessage(cz) + "\r\n" + texts::bestsInAll(cz, Clock::Text(30 * 570)),
                   lang + "final screen");
        expectFits(ctl.titles[0], texts::noWayFromHere(cz), lang + "no way");
        expectFits(ctl.titles[0], texts::noHint(cz), lang + "no hint");
        expectFits(ctl.titles[0], texts::newBest(cz), lang + "new best");
        expectFits(ctl.creditHeadings, texts::creditsHeadings(cz), lang + "credits");
    }
    expectFits(ctl.creditNames, kCreditNames, "credit names");

    // The clock: every time a level can give it, from -99:59 (the levels tool warns
    // about a limit below zero) to the largest limit a file can hold.
    std::string widest;
    TTF_Font* clockFont = sdl::LabelFont(ctl.clock);
    ASSERT_NE(clockFont, nullptr);
    for (int t = -5999; t <= 32767; ++t) {
        const std::string text = tk::Clock::Text(t);
        if (widest.empty() || width(clockFont, text) > width(clockFont, widest)) widest = text;
    }
    expectFits(ctl.clock, widest, "clock");

    // Every shipped level: its name on the options screen, its titles over the board.
    int levels = 0;
    for (const auto& entry : std::filesystem::directory_iterator(std::string(TK_DATA_DIR) + "/levels")) {
        if (entry.path().extension() != ".kulap") continue;
        const LevelRead read = readLevelFile(entry.path().string());
        ASSERT_TRUE(read.level) << entry.path();
        ++levels;
        const std::string name = entry.path().stem().string();
        expectFits(menuLine(4, menulook::kOptionsPt), texts::optionsLevelLine(name), "level line");
        // With the best time below it: at most the whole time limit was left.
        const std::string best = Clock::Text(read.level->timeLimit);
        expectFits(ctl.titles[0], read.level->titleCs + "\r\n" + texts::bestLine(true, best), name + " Czech title");
        expectFits(ctl.titles[0], read.level->titleEn + "\r\n" + texts::bestLine(false, best),
                   name + " English title");
    }
    EXPECT_GE(levels, 30);
}

}  // namespace
}  // namespace tk::test

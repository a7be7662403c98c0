// The window's layout at start: the credits corner has fixed columns, and the fonts the game
// finds must fit them.
#include <gtest/gtest.h>

#include <SDL_ttf.h>

#include <sstream>
#include <string>

#include "app/window_layout.h"
#include "platform/fonts.h"
#include "platform/headless_platform.h"
#include "ui/credits.h"
#include "ui/texts.h"

namespace tk::test {
namespace {

int widestLine(TTF_Font* font, const std::string& caption) {
    int widest = 0;
    std::istringstream lines(caption);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        int w = 0, h = 0;
        TTF_SizeUTF8(font, line.c_str(), &w, &h);
        widest = std::max(widest, w);
    }
    return widest;
}

TEST(WindowLayout, CreditsFitTheirColumnsInEitherLanguage) {
    HeadlessPlatform plat({});  // brings SDL_ttf up
    Controls ctl;
    LayOutWindow(ctl);
    const Label& headings = ctl.creditHeadings;
    TTF_Font* font = GetFont("Trebuchet MS", headings.FontBold, false, headings.FontSize);
    ASSERT_NE(font, nullptr);
    // Headings end before the names begin; names end inside the 800-pixel window.
    for (bool czech : {false, true})
        EXPECT_LE(headings.Left + widestLine(font, texts::creditsHeadings(czech)), ctl.creditNames.Left)
            << (czech ? "Czech" : "English");
    EXPECT_LE(ctl.creditNames.Left + widestLine(font, kCreditNames), 800);
}

}  // namespace
}  // namespace tk::test

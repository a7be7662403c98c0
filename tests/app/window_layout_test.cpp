// The credits corner: the headings' column and the names' must both hold their text in the
// fonts the game finds, with a gap between them.
#include <gtest/gtest.h>

#include <SDL_ttf.h>

#include <sstream>
#include <string>

#include "platform/headless_platform.h"
#include "platform/sdl_text.h"
#include "platform/window_look.h"
#include "ui/credits.h"
#include "ui/texts.h"

namespace tk::test {
namespace {

int widestLine(TTF_Font* font, const std::string& text) {
    int widest = 0;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        int w = 0, h = 0;
        TTF_SizeUTF8(font, line.c_str(), &w, &h);
        widest = std::max(widest, w);
    }
    return widest;
}

TEST(WindowLayout, CreditsFitTheirColumnsInEitherLanguageWithAGapBetween) {
    HeadlessPlatform plat({});  // brings SDL_ttf up
    const Box& headings = look::kCreditHeadings;
    const Box& names = look::kCreditNames;
    TTF_Font* font = sdl::TextFont(look::CreditHeadingsText());
    ASSERT_NE(font, nullptr);
    // The headings end at their column's right edge and must not be cut at its left;
    // the names begin a few pixels further on and end inside the 800-pixel window.
    for (bool czech : {false, true})
        EXPECT_LE(widestLine(font, texts::creditsHeadings(czech)), headings.width) << (czech ? "Czech" : "English");
    EXPECT_GE(names.left - (headings.left + headings.width), 4) << "the columns touch";
    EXPECT_LE(names.left + widestLine(sdl::TextFont(look::CreditNamesText()), kCreditNames), 800);
}

}  // namespace
}  // namespace tk::test

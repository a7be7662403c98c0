// The credits corner has fixed columns: the fonts the game finds must fit them.
#include <gtest/gtest.h>

#include <SDL_ttf.h>

#include <sstream>
#include <string>

#include "app/frm_main.h"
#include "platform/fonts.h"
#include "platform/headless_platform.h"
#include "ui/credits.h"
#include "ui/texts.h"

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

}  // namespace

TEST(Fonts, CreditsFitTheirColumnsInEitherLanguage) {
    tk::HeadlessPlatform plat({});  // brings SDL_ttf up
    tk::frmMain form(plat);
    TTF_Font* font = tk::GetFont("Trebuchet MS", form.Label2.FontBold, false, form.Label2.FontSize);
    ASSERT_NE(font, nullptr);
    // Headings end before the names begin; names end inside the 800-pixel window.
    for (bool czech : {false, true})
        EXPECT_LE(form.Label2.Left + widestLine(font, tk::texts::creditsHeadings(czech)), form.Label1.Left)
            << (czech ? "Czech" : "English");
    EXPECT_LE(form.Label1.Left + widestLine(font, tk::kCreditNames), 800);
}

TEST(Fonts, BoldAndRegularAreDifferentFacesOfOneSize) {
    tk::HeadlessPlatform plat({});
    TTF_Font* regular = tk::GetFont("Trebuchet MS", false, false, 36);
    TTF_Font* bold = tk::GetFont("Trebuchet MS", true, false, 36);
    ASSERT_NE(regular, nullptr);
    ASSERT_NE(bold, nullptr);
    EXPECT_NE(regular, bold);
    // 36 pt at 96 dpi is 48 px: the line height follows the points, not the pixels.
    EXPECT_NEAR(TTF_FontHeight(regular), 48 * 1.15, 48 * 0.25);
    EXPECT_EQ(tk::GetFont("Trebuchet MS", false, false, 36), regular);  // cached
}

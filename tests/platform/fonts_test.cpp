// Fonts by family: the faces the game finds, their sizes and the cache.
#include <gtest/gtest.h>

#include <SDL_ttf.h>

#include <string>

#include "platform/fonts.h"
#include "platform/headless_platform.h"

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

// The page of levels the game makes, reached from the options screen's side line: the day's
// puzzle, a random level, and the band random levels are made in.
#pragma once

#include "platform/window_view.h"
#include "puzzle/daily.h"
#include "puzzle/generator.h"
#include "ui/language.h"
#include "ui/menu_host.h"

namespace tk {

class MadeLevelsScreen {
public:
    // The lines of the page, as the highlight numbers them; the last one only says what
    // today's puzzle is.
    static constexpr int kLineBack = 0, kLineDaily = 1, kLineRandom = 2, kLineBand = 3, kLineToday = 4;

    MadeLevelsScreen(MenuView& menu, const MenuHost& host, const Language& language)
        : menu_(menu), host_(host), language_(language) {}

    // The page's lines, with `today`'s puzzle and its best.
    void Show(const CivilDate& today);
    // Random levels come in the next band, after expert easy again.
    void NextBand();
    Difficulty band() const { return band_; }

private:
    MenuView& menu_;
    const MenuHost& host_;
    const Language& language_;
    Difficulty band_ = Difficulty::Medium;
};

}  // namespace tk

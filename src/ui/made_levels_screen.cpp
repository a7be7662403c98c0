// The page of made levels: its lines and the band of random levels.
#include "ui/made_levels_screen.h"

#include "game/clock.h"
#include "ui/texts.h"

namespace tk {

void MadeLevelsScreen::Show(const CivilDate& today) {
    const bool cz = language_.isCzech();
    menu_.page = MenuView::Page::Options;
    menu_.levelLineShown = true;
    menu_.lines[kLineBack] = texts::optionsBack(cz);
    menu_.lines[kLineDaily] = texts::dailyPuzzle(cz);
    menu_.lines[kLineRandom] = texts::randomLevel(cz);
    menu_.lines[kLineBand] = texts::difficultyLine(cz, band_);
    const auto best = host_.BestTime(dailyBestKey(today));
    menu_.lines[kLineToday] = texts::dailyLine(cz, dailyBand(today), best ? Clock::Text(*best) : std::string());
    menu_.lines[MenuView::kSideLine].clear();
}

void MadeLevelsScreen::NextBand() {
    switch (band_) {
        case Difficulty::Easy: band_ = Difficulty::Medium; break;
        case Difficulty::Medium: band_ = Difficulty::Hard; break;
        case Difficulty::Hard: band_ = Difficulty::Expert; break;
        default: band_ = Difficulty::Easy; break;
    }
    menu_.lines[kLineBand] = texts::difficultyLine(language_.isCzech(), band_);
}

}  // namespace tk

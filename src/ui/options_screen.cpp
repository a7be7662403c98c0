// The options screen's lines and the level chooser.
#include "ui/options_screen.h"

#include <filesystem>
#include <string>

#include "puzzle/level_file.h"
#include "puzzle/utf8.h"
#include "ui/texts.h"

namespace tk {

namespace {
constexpr std::uint64_t kNoticeMs = 1000;
}  // namespace

void OptionsScreen::Show() {
    const bool cz = language_.isCzech();
    menu_.page = MenuView::Page::Options;
    menu_.lines[kLineBack] = texts::optionsBack(cz);
    menu_.lines[kLineDisplay] = texts::optionsDisplay(cz, host_.fullscreenOn());
    menu_.lines[kLineMusic] = texts::optionsMusic(cz, host_.musicOn());
    menu_.lines[kLineChoose] = texts::optionsChooseLevel(cz);
    menu_.lines[kLineMade] = texts::optionsMadeLevels(cz);
    ShowLevelLine();
}

void OptionsScreen::ToggleFullscreen() {
    host_.ToggleFullscreen();
    menu_.lines[kLineDisplay] = texts::optionsDisplay(language_.isCzech(), host_.fullscreenOn());
}

void OptionsScreen::ToggleMusic() {
    host_.ToggleMusic();
    menu_.lines[kLineMusic] = texts::optionsMusic(language_.isCzech(), host_.musicOn());
}

void OptionsScreen::OpenEntry() {
    // The box lies over the level line, which starts further left: hidden, so no sliver
    // of the name shows beside the box.
    menu_.levelLineShown = false;
    box_.text = host_.currentLevel();
    box_.caret = utf8Length(box_.text);
    box_.shown = true;
}

void OptionsScreen::FinishEntry() {
    box_.shown = false;
    menu_.levelLineShown = true;
    const std::string typed = box_.text;  // exactly as typed, no trimming
    // The name is joined into a path, so only a plain name may reach the file test;
    // anything else is refused just like a name without a level file.
    bool found = false;
    if (isPlainLevelName(typed)) {
        std::error_code ec;
        found = std::filesystem::is_regular_file(host_.LevelPath(typed), ec);
    }
    if (found) {
        host_.ChooseLevel(typed);
        ShowLevelLine();
    } else {
        menu_.lines[kLineLevel] = texts::levelNotFound(language_.isCzech());
        notice_.Begin(kNoticeMs);
    }
}

Wake OptionsScreen::Advance(std::uint64_t now) {
    if (!notice_.Standing()) return Wake{};
    if (!notice_.Over(now) && !host_.Closing()) return notice_.wake();
    notice_.End();
    ShowLevelLine();
    return Wake{};
}

void OptionsScreen::ShowLevelLine() {
    menu_.lines[kLineLevel] = texts::optionsLevelLine(host_.currentLevel());
}

}  // namespace tk

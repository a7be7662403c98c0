// The options screen's lines and the level chooser.
#include "ui/options_screen.h"

#include <filesystem>
#include <string>

#include "puzzle/level_file.h"
#include "puzzle/utf8.h"
#include "ui/menu_look.h"
#include "ui/texts.h"

namespace tk {

namespace {
constexpr std::uint64_t kNoticeMs = 1000;
}  // namespace

void OptionsScreen::ShowCaptions() {
    const bool cz = language_.isCzech();
    ctl_.menuLines[kLineBack].Caption = texts::optionsBack(cz);
    ctl_.menuLines[kLineDisplay].Caption = texts::optionsDisplay(cz, host_.fullscreenOn());
    ctl_.menuLines[kLineMusic].Caption = texts::optionsMusic(cz, host_.musicOn());
    ctl_.menuLines[kLineChoose].Caption = texts::optionsChooseLevel(cz);
    ShowLevelLine();
    menulook::setFontSize(ctl_.menuLines, menulook::kOptionsPt);
}

void OptionsScreen::ToggleFullscreen() {
    host_.ToggleFullscreen();
    ctl_.menuLines[kLineDisplay].Caption = texts::optionsDisplay(language_.isCzech(), host_.fullscreenOn());
}

void OptionsScreen::ToggleMusic() {
    host_.ToggleMusic();
    ctl_.menuLines[kLineMusic].Caption = texts::optionsMusic(language_.isCzech(), host_.musicOn());
}

void OptionsScreen::OpenEntry() {
    // The box lies over the level line, which starts further left: hidden, so no sliver
    // of the name shows beside the box.
    ctl_.menuLines[kLineLevel].Visible = false;
    TextBox& box = ctl_.levelBox;
    box.Text = host_.currentLevel();
    box.SelStart = utf8Length(box.Text);
    box.Visible = true;
}

void OptionsScreen::FinishEntry() {
    ctl_.levelBox.Visible = false;
    ctl_.menuLines[kLineLevel].Visible = true;
    const std::string typed = ctl_.levelBox.Text;  // exactly as typed, no trimming
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
        ctl_.menuLines[kLineLevel].Caption = texts::levelNotFound(language_.isCzech());
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
    ctl_.menuLines[kLineLevel].Caption = texts::optionsLevelLine(host_.currentLevel());
}

}  // namespace tk

// The options screen and the level chooser.
#include <cmath>
#include <filesystem>
#include <string>

#include "app/frm_main.h"
#include "app/module1.h"
#include "puzzle/level_file.h"
#include "puzzle/utf8.h"
#include "ui/menu_look.h"
#include "ui/texts.h"

namespace tk {

namespace {
constexpr int kLineBack = 0, kLineDisplay = 1, kLineMusic = 2, kLineChoose = 3, kLineLevel = 4;

}  // namespace

void frmMain::openOptions() {
    screenMode = modeOptions;
    Label6[kLineBack].Caption = texts::optionsBack(isCzech);
    Label6[kLineDisplay].Caption = texts::optionsDisplay(isCzech, fullscreenOn);
    Label6[kLineMusic].Caption = texts::optionsMusic(isCzech, musicOn);
    Label6[kLineChoose].Caption = texts::optionsChooseLevel(isCzech);
    Label6[kLineLevel].Caption = texts::optionsLevelLine(currentLevel);
    menulook::setFontSize(Label6, menulook::kOptionsPt);
    // The cursor is still on "Options" (1); a silent Up brings it to "« back".
    std::int16_t key = vk::Up, shift = shiftmask::Shift;
    Form_KeyDown(key, shift);
}

void frmMain::optionsAction() {
    switch (menuCursor) {
    case kLineBack: {
        screenMode = modeMainMenu;
        stvorMenu();
        menulook::setFontSize(Label6, menulook::kMainMenuPt);
        // From "« back" (0) a silent Down lands on "Options" again.
        std::int16_t key = vk::Down, shift = shiftmask::Shift;
        Form_KeyDown(key, shift);
        break;
    }
    case kLineDisplay:
        fullscreenOn = !fullscreenOn;
        Label6[kLineDisplay].Caption = texts::optionsDisplay(isCzech, fullscreenOn);
        if (fullscreenOn) {
            Module1::setDisplayMode(plat, 800.0f, 600.0f, WindowMode::FullScreen);
        } else {
            // Back to the desktop measured at start-up, whatever it is now, with the
            // 800 × 600 window centred on it. The twips factors are read only after
            // the mode change, as they may differ between the two modes.
            const float w = std::nearbyint(desktopWidth);
            const float h = std::nearbyint(desktopHeight);
            Module1::setDisplayMode(plat, w, h, WindowMode::Windowed);
            const double left = (desktopWidth - 800.0) / 2.0 * plat.TwipsPerPixelX();
            const double top = (desktopHeight - 600.0) / 2.0 * plat.TwipsPerPixelY();
            plat.MoveWindow(static_cast<int>(std::lround(left)), static_cast<int>(std::lround(top)));
        }
        ulozNastaveni();
        break;
    case kLineMusic:
        musicOn = !musicOn;
        Label6[kLineMusic].Caption = texts::optionsMusic(isCzech, musicOn);
        // Opening afresh starts the piece from its beginning.
        if (musicOn)
            fmod.streamOpen(musicPath(), 2, 0, true, 255);
        else
            fmod.streamStop(0);
        ulozNastaveni();
        break;
    case kLineChoose:
        // The box lies over the level line, which starts further left: hidden, so no
        // sliver of the name shows beside the box.
        Label6[kLineLevel].Visible = false;
        Text2.Text = currentLevel;
        Text2.SelStart = utf8Length(Text2.Text);
        Text2.Visible = true;
        screenMode = modeLevelEntry;
        break;
    default:
        break;
    }
}

void frmMain::finishLevelEntry() {
    Text2.Visible = false;
    Label6[kLineLevel].Visible = true;
    const std::string typed = Text2.Text;  // exactly as typed, no trimming

    // The name is joined into a path, so only a plain name may reach the file test;
    // anything else is refused just like a name without a level file.
    bool found = false;
    if (isPlainLevelName(typed)) {
        std::error_code ec;
        found = std::filesystem::is_regular_file(LP(typed + ".kulap"), ec);
    }
    if (!found) {
        Label6[kLineLevel].Caption = texts::levelNotFound(isCzech);
        plat.Repaint();
        plat.Sleep(1000);
    } else {
        currentLevel = typed;
    }
    // Kept: not saved yet; the settings file gets the new level with the next toggle of
    // full screen or music.
    Label6[kLineLevel].Caption = texts::optionsLevelLine(currentLevel);
    screenMode = modeOptions;
}

}  // namespace tk

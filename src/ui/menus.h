// The screens outside a level and the key-down handler that drives them: the main menu, the
// options screen with its level chooser, help, and "Play" with its chain of levels.
#pragma once

#include <cstdint>

#include "game/play_session.h"
#include "platform/platform.h"
#include "platform/wake.h"
#include "services/sound_effects.h"
#include "ui/language.h"
#include "ui/menu_host.h"
#include "ui/menu_list.h"
#include "ui/options_screen.h"
#include "ui/play_sequence.h"

namespace tk {

class Menus {
public:
    Menus(Platform& platform, WindowView& view, SoundEffects& sounds, PlaySession& session, Language& language,
          MenuHost& host);

    // The menu's five lines and the cursor come out, "Play" highlighted without a sound.
    void ShowMainMenu();
    // Inverts the language and rewrites what shows in it: the menu, the credit headings,
    // and the help page, loaded now so that opening help just shows it.
    void SwitchLanguage();

    // Every key-down the window gets, before the level box or the help view sees it.
    void KeyDown(Key key, int modifiers);
    // A sequence that runs on its own (the levels, the final screen, a notice), advanced
    // to `now`. While it runs, keys wait.
    Wake Advance(std::uint64_t now);
    // The window went on screen at `at`: a pause drawn since counts its time from then.
    void Shown(std::uint64_t at);
    bool Busy() const { return sequence_.Running() || options_.NoticeShowing(); }

    // Levels: the chain of levels runs (a level, its outcome, the final screen).
    enum class Screen { MainMenu, Help, Options, LevelEntry, Levels };
    Screen screen() const { return sequence_.Running() ? Screen::Levels : screen_; }
    std::int16_t menuCursor() const { return list_.cursor(); }

private:

    void MainMenuAction();
    void OptionsAction();
    void WriteMainMenu();
    void OpenHelp();
    void CloseHelp();

    Platform& plat_;
    WindowView& view_;
    SoundEffects& sounds_;
    PlaySession& session_;
    Language& language_;
    MenuHost& host_;
    MenuList list_;
    OptionsScreen options_;
    PlaySequence sequence_;
    Screen screen_ = Screen::MainMenu;
};

}  // namespace tk

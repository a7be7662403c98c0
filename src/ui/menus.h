// The screens outside a level and the key-down handler that drives them: the main menu, the
// options screen with its level chooser, help, "Play" with its chain of levels, and the
// levels the game makes (random ones and the day's puzzle, with its result).
#pragma once

#include <cstdint>
#include <optional>

#include "game/play_session.h"
#include "platform/platform.h"
#include "platform/wake.h"
#include "services/sound_effects.h"
#include "puzzle/generator.h"
#include "ui/language.h"
#include "ui/made_levels_screen.h"
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

    // A level of `band` (not Any) made from `seed`, or from a seed of the moment; each win
    // brings the next of the band. Leaving it shows the screen it was started from.
    void StartGenerated(Difficulty band, std::optional<std::uint64_t> seed = std::nullopt);
    // Today's puzzle (by the platform's UTC date); once won, its result stands over the
    // board until Enter, Space or Esc, and C copies it to the clipboard.
    void StartDaily();
    // "Play" started from the command line: from the level `name` of the levels folder, or
    // from the level file at `path`; the chain ends on the main menu as "Play" does.
    void PlayLevel(const std::string& name) { sequence_.StartAt(name); }
    void PlayFile(const std::string& path) { sequence_.StartWithFile(path); }

    // Every key-down the window gets, before the level box or the help view sees it.
    void KeyDown(Key key, int modifiers);
    // The pointer and the window's focus, before the level box or the help view sees them:
    // on a list screen hovering moves the highlight and a left click chooses; in a level a
    // loss of focus pauses (clicks there are polled by the level).
    void PointerInput(const InputEvent& event);
    // A sequence that runs on its own (the levels, the final screen, a notice), advanced
    // to `now`. While it runs, keys wait.
    Wake Advance(std::uint64_t now);
    // The window went on screen at `at`: a pause drawn since counts its time from then.
    void Shown(std::uint64_t at);
    bool Busy() const { return sequence_.Running() || options_.NoticeShowing(); }

    // Levels: the chain of levels runs (a level, its outcome, the final screen).
    enum class Screen { MainMenu, Help, Options, LevelEntry, MadeLevels, DailyResult, Levels };
    Screen screen() const { return sequence_.Running() ? Screen::Levels : screen_; }
    std::int16_t menuCursor() const { return list_.cursor(); }

private:

    void MainMenuAction();
    void OptionsAction();
    void MadeLevelsAction();
    // Up and Down in the left column as ever; Right to the side line and Left back.
    void OptionsStep(Key key, int modifiers);
    void ShowOptions(int highlight);
    void ResultKey(Key key);
    // The notice of a copy of the daily result: on the clipboard, or not.
    void TellCopied(bool done);
    // After a level the game made: the screen it was started from, written afresh.
    void AfterMadeLevel();
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
    MadeLevelsScreen made_;
    PlaySequence sequence_;
    Screen screen_ = Screen::MainMenu;
    bool madeRunning_ = false;  // a level the game made is played
    bool copyAsked_ = false;    // the daily result's copy waits for the clipboard's answer
    // Where the pointer was last reported; its first report (the window opening under it,
    // or the pointer entering it) only says where it is, so that the highlight moves only
    // when the player moves the mouse.
    bool pointerSeen_ = false;
    int pointerX_ = 0, pointerY_ = 0;
    Screen madeFrom_ = Screen::MainMenu;  // the screen it was started from
};

}  // namespace tk

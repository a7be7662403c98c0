// What the menus ask of the program that holds them: the three settings and their effects,
// where the files lie, and the end of the program.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "game/play_session.h"

namespace tk {

class MenuHost {
public:
    virtual ~MenuHost() = default;

    virtual bool fullscreenOn() const = 0;
    virtual bool musicOn() const = 0;
    virtual const std::string& currentLevel() const = 0;  // the level "Play" starts with
    // Each toggle takes effect at once (the display, the music) and is then saved.
    virtual void ToggleFullscreen() = 0;
    virtual void ToggleMusic() = 0;
    // Kept: a chosen level is not saved yet; the settings file gets it with the next
    // toggle of full screen or music.
    virtual void ChooseLevel(const std::string& name) = 0;

    // Best times: the most seconds a won level had left on its clock, by level name.
    virtual std::optional<std::int16_t> BestTime(const std::string& level) const = 0;
    // Keeps a win's time left when it beats the level's best (or the level has none),
    // and says whether it did and could write it down.
    virtual WinRecord RecordWin(const std::string& level, std::int16_t secondsLeft) = 0;
    // The sum of every level's best, in seconds.
    virtual int BestsInAll() const = 0;

    virtual std::string LevelPath(const std::string& name) const = 0;  // of "<name>.kulap"
    virtual std::string HelpPagePath(const std::string& pageName) const = 0;

    // A choice could not be saved (`why` names the file and the reason): it holds for
    // this run, and the player is told once.
    virtual void CannotRemember(const std::string& why) = 0;
    // A few words for the player in a notice over the window; nothing waits for it.
    virtual void Tell(const std::string& text) = 0;

    // The player chose "Quit": the program ends once nothing runs.
    virtual void Quit() = 0;
    // The program is on its way out (Quit, or the window was asked to close): a key still
    // queued must not start anything new.
    virtual bool Closing() = 0;
};

}  // namespace tk

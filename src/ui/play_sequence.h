// "Play": level after level from the chosen one, a lost level again at once, until the
// player leaves or the last level is won; then the congratulations.
#pragma once

#include <cstdint>
#include <string>

#include "game/play_session.h"
#include "platform/platform.h"
#include "platform/wake.h"
#include "ui/language.h"
#include "ui/menu_host.h"

namespace tk {

class PlaySequence {
public:
    PlaySequence(Platform& platform, PlayView& view, PlaySession& session, const Language& language,
                 MenuHost& host)
        : plat_(platform), view_(view), session_(session), language_(language), host_(host) {}

    // Starts with the level "Play" starts with; a copy of its name is taken, so playing
    // never moves it.
    void Start();
    Wake Advance(std::uint64_t now);
    // The window went on screen at `at` (the final screen's time counts from then).
    void Shown(std::uint64_t at);
    bool Running() const { return running_; }

private:
    // Loads a level and starts it; false when it cannot be played (the player is told in a
    // notice, the level's author on standard error).
    bool Load(const std::string& name);
    void Finish();

    Platform& plat_;
    PlayView& view_;
    PlaySession& session_;
    const Language& language_;
    MenuHost& host_;
    bool running_ = false;
    std::string name_;
    Pause final_;  // the congratulations
};

}  // namespace tk

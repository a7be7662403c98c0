// "Play": level after level from the chosen one, a lost level again at once, until the
// player leaves or the last level is won; then the congratulations. Levels the game makes
// are played the same way: random ones one after another in their band, and the day's
// puzzle, whose result then stands over the board.
#pragma once

#include <cstdint>
#include <string>

#include "game/play_session.h"
#include "platform/platform.h"
#include "platform/wake.h"
#include "puzzle/daily.h"
#include "puzzle/generator.h"
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
    void Start() { StartAt(host_.currentLevel()); }
    // Starts with the level `name` of the levels folder.
    void StartAt(const std::string& name);
    // Starts with the level file at `path`, wherever it lies; the levels it leads to are
    // looked for beside it. Best times are kept only when it is one of the game's own levels.
    void StartWithFile(const std::string& path);
    // A level of `band` made from `seed`; each win brings the level of the seed after the
    // one that made it.
    void StartRandom(Difficulty band, std::uint64_t seed);
    // The day's puzzle of `date`, with its own best time; once won, its result stands.
    void StartDaily(const CivilDate& date);
    Wake Advance(std::uint64_t now);
    // The window went on screen at `at` (the final screen's time counts from then).
    void Shown(std::uint64_t at);
    bool Running() const { return running_; }

    // The day's puzzle's result, one line, while it stands over the won board; empty
    // otherwise.
    const std::string& dailyResult() const { return dailyResult_; }
    // The result goes, and the board with it.
    void CloseResult();

private:
    enum class Chain { Shipped, Random, Daily };

    // The congratulations over the last level's win picture, with the sum of the bests.
    std::string FinalMessage() const;

    // Loads a level and starts it; false when it cannot be played (the player is told in a
    // notice, the level's author on standard error).
    bool Load(const std::string& name);
    void Begin(const std::string& name);
    std::string PathOf(const std::string& name) const;
    // Makes the level of seed_ in band_ (the seeds after it when it gives none), then plays it.
    void MakeRandom();
    // Plays made_ from its start, its best time kept under `bestKey` (none when empty).
    void PlayMade();
    void Play(const LevelFile& level, const std::string& bestKey);
    void ShowDailyResult();
    void Finish();

    Platform& plat_;
    PlayView& view_;
    PlaySession& session_;
    const Language& language_;
    MenuHost& host_;
    bool running_ = false;
    std::string name_;
    Pause final_;  // the congratulations
    std::string file_, fileName_;  // a chain started from a level file: that file and its name
    std::string folder_;           // ... and where its next levels lie
    bool keepsBests_ = true;

    Chain chain_ = Chain::Shipped;
    LevelFile made_;  // a made level, played again when lost
    Difficulty band_ = Difficulty::Medium;
    std::uint64_t seed_ = 0;  // the seed that made it
    CivilDate date_;
    std::int16_t secondsLeft_ = 0;  // at the last win
    std::string dailyResult_;
};

}  // namespace tk

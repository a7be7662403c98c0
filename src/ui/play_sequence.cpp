// The chain of levels and the final screen, as states of the frame loop.
#include "ui/play_sequence.h"

#include "game/clock.h"
#include "ui/texts.h"

namespace tk {

namespace {

constexpr std::uint64_t kFinalScreenMs = 5000;
constexpr const char* kLastLevelMark = "end";

}  // namespace

void PlaySequence::Start() {
    running_ = true;
    name_ = host_.currentLevel();
    final_.End();
    if (!Load(name_)) Finish();
}

void PlaySequence::Shown(std::uint64_t at) {
    final_.Shown(at);
    session_.Shown(at);
}

bool PlaySequence::Load(const std::string& name) {
    const std::string path = host_.LevelPath(name);
    LevelRead read = readLevelFile(path);
    if (!read.level) {
        // Nothing of the game changes for a level that cannot be played: play returns to
        // the menu.
        if (read.problems.empty()) read.problems.push_back({0, "cannot be loaded", false});
        session_.ReturnToMenu();
        // The player reads one sentence in the game's language; the level's author gets
        // every problem, with the file's path and line, on standard error.
        for (const LevelProblem& problem : read.problems) plat_.Warn(formatProblem(path, problem));
        host_.Tell(texts::levelCannotBeLoaded(language_.isCzech(), name));
        return false;
    }
    const bool czech = language_.isCzech();
    LevelWords words{texts::quitQuestion(czech), texts::noWayFromHere(czech), texts::noHint(czech),
                     texts::newBest(czech), texts::newBestNotKept(czech), {}};
    if (const auto best = host_.BestTime(name)) words.bestLine = texts::bestLine(czech, Clock::Text(*best));
    session_.Start(*read.level, czech, std::move(words),
                   [this, name](std::int16_t secondsLeft) { return host_.RecordWin(name, secondsLeft); });
    return true;
}

void PlaySequence::Finish() {
    running_ = false;
    final_.End();
}

Wake PlaySequence::Advance(std::uint64_t now) {
    while (running_) {
        if (final_.Standing()) {
            // Kept: the congratulations stand their five seconds whatever is pressed; keys
            // wait for the menu. Only a close request cuts them short.
            if (!final_.Over(now) && !host_.Closing()) return final_.wake();
            session_.ReturnToMenu();
            Finish();
            break;
        }
        const Wake wake = session_.Advance(now);
        if (session_.Running()) return wake;
        if (host_.Closing()) {
            session_.ReturnToMenu();
            Finish();
            break;
        }
        switch (session_.outcome()) {
        case LevelOutcome::Lost:
            // Kept: a lost level goes round again at once, without limit.
            if (!Load(name_)) Finish();
            break;
        case LevelOutcome::Won:
            name_ = session_.state().nextLevel;
            if (name_ == kLastLevelMark) {
                // Over the won picture that the last level left on the board, with the
                // sum of the bests below the congratulations.
                const bool czech = language_.isCzech();
                const std::string message = texts::finalMessage(czech) + "\r\n" +
                                            texts::bestsInAll(czech, Clock::Text(host_.BestsInAll()));
                view_.title = message;
                view_.titleShown = true;
                final_.Begin(kFinalScreenMs);
            } else if (!Load(name_)) {
                Finish();
            }
            break;
        default: Finish(); break;
        }
    }
    return Wake{};
}

}  // namespace tk

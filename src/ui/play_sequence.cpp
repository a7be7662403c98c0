// The chain of levels and the final screen, as states of the frame loop.
#include "ui/play_sequence.h"

#include <filesystem>

#include "game/clock.h"
#include "puzzle/play_generator.h"
#include "ui/texts.h"

namespace tk {

namespace {

constexpr std::uint64_t kFinalScreenMs = 5000;
constexpr const char* kLastLevelMark = "end";

}  // namespace

void PlaySequence::StartAt(const std::string& name) {
    file_.clear();
    fileName_.clear();
    folder_.clear();
    keepsBests_ = true;
    Begin(name);
}

void PlaySequence::StartWithFile(const std::string& path) {
    const std::filesystem::path file(path);
    file_ = path;
    fileName_ = file.stem().string();
    folder_ = file.has_parent_path() ? file.parent_path().string() : ".";
    // A level of another folder keeps no best time: its name may be that of a shipped one.
    std::error_code ec;
    keepsBests_ = std::filesystem::equivalent(file, host_.LevelPath(fileName_), ec);
    Begin(fileName_);
}

void PlaySequence::Begin(const std::string& name) {
    running_ = true;
    chain_ = Chain::Shipped;
    name_ = name;
    final_.End();
    if (!Load(name_)) Finish();
}

std::string PlaySequence::PathOf(const std::string& name) const {
    if (!file_.empty() && name == fileName_) return file_;
    if (!folder_.empty()) return folder_ + "/" + name + ".kulap";
    return host_.LevelPath(name);
}

void PlaySequence::Shown(std::uint64_t at) {
    final_.Shown(at);
    session_.Shown(at);
}

void PlaySequence::StartRandom(Difficulty band, std::uint64_t seed) {
    running_ = true;
    chain_ = Chain::Random;
    final_.End();
    band_ = band;
    seed_ = seed;
    MakeRandom();
}

void PlaySequence::StartDaily(const CivilDate& date) {
    running_ = true;
    chain_ = Chain::Daily;
    final_.End();
    date_ = date;
    band_ = dailyBand(date);
    made_ = generateForPlay(band_, dailySeed(date)).level;
    made_.titleCs = texts::dailyTitle(true, date, band_);
    made_.titleEn = texts::dailyTitle(false, date, band_);
    PlayMade();
}

void PlaySequence::MakeRandom() {
    const Generated made = generateForPlay(band_, seed_);
    seed_ = made.seed;
    made_ = made.level;
    made_.titleCs = texts::randomTitle(true, band_, seed_);
    made_.titleEn = texts::randomTitle(false, band_, seed_);
    PlayMade();
}

void PlaySequence::PlayMade() {
    // A random level has no best of its own: the next one is another level.
    Play(made_, chain_ == Chain::Daily ? dailyBestKey(date_) : std::string());
}

bool PlaySequence::Load(const std::string& name) {
    const std::string path = PathOf(name);
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
    Play(*read.level, keepsBests_ ? name : std::string());
    return true;
}

void PlaySequence::Play(const LevelFile& level, const std::string& bestKey) {
    const bool czech = language_.isCzech();
    LevelWords words{texts::quitQuestion(czech), texts::noWayFromHere(czech), texts::noHint(czech),
                     texts::newBest(czech), texts::newBestNotKept(czech), {}, texts::paused(czech)};
    if (bestKey.empty()) {
        session_.Start(level, czech, std::move(words),
                       [this](std::int16_t secondsLeft) {
                           secondsLeft_ = secondsLeft;
                           return WinRecord::NoBest;
                       });
        return;
    }
    if (const auto best = host_.BestTime(bestKey)) words.bestLine = texts::bestLine(czech, Clock::Text(*best));
    session_.Start(level, czech, std::move(words),
                   [this, bestKey](std::int16_t secondsLeft) {
                       secondsLeft_ = secondsLeft;
                       return host_.RecordWin(bestKey, secondsLeft);
                   });
}

void PlaySequence::ShowDailyResult() {
    // Over the won picture, as the congratulations stand over the last level's.
    const bool czech = language_.isCzech();
    dailyResult_ = texts::dailyResult(czech, date_, band_, Clock::Text(secondsLeft_), session_.hintsTaken());
    view_.title = texts::dailySolved(czech);
    view_.titleShown = true;
    view_.result = dailyResult_ + "\r\n" + texts::dailyResultKeys(czech);
    view_.resultShown = true;
    running_ = false;
}

void PlaySequence::CloseResult() {
    dailyResult_.clear();
    view_.resultShown = false;
    view_.titleShown = false;
    session_.ReturnToMenu();
}

void PlaySequence::Finish() {
    running_ = false;
    final_.End();
}

std::string PlaySequence::FinalMessage() const {
    const bool czech = language_.isCzech();
    return texts::finalMessage(czech) + "\r\n" + texts::bestsInAll(czech, Clock::Text(host_.BestsInAll()));
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
        if (session_.Running()) {
            // While the last level's win picture stands, the congratulations that follow it
            // are made ready, to go up the moment its time is over.
            if (session_.phase() == PlayPhase::ShowingWon && chain_ == Chain::Shipped &&
                session_.state().nextLevel == kLastLevelMark) {
                PlayView next = view_;
                next.title = FinalMessage();
                next.titleShown = true;
                plat_.Prepare(next);
            }
            return wake;
        }
        if (host_.Closing()) {
            session_.ReturnToMenu();
            Finish();
            break;
        }
        switch (session_.outcome()) {
        case LevelOutcome::Lost:
            // Kept: a lost level goes round again at once, without limit.
            if (chain_ != Chain::Shipped)
                PlayMade();
            else if (!Load(name_))
                Finish();
            break;
        case LevelOutcome::Won:
            if (chain_ == Chain::Random) {
                ++seed_;
                MakeRandom();
                break;
            }
            if (chain_ == Chain::Daily) {
                ShowDailyResult();
                return Wake{};
            }
            name_ = session_.state().nextLevel;
            if (name_ == kLastLevelMark) {
                // Over the won picture that the last level left on the board, with the
                // sum of the bests below the congratulations.
                view_.title = FinalMessage();
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

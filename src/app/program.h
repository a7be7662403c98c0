// The program: it owns every part, starts them up in their order, runs the one frame loop
// and shuts them down.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/best_times.h"
#include "app/image_set.h"
#include "app/paths.h"
#include "app/settings.h"
#include "app/start_request.h"
#include "game/play_session.h"
#include "platform/platform.h"
#include "platform/wake.h"
#include "services/display_mode.h"
#include "services/music.h"
#include "services/notices.h"
#include "services/sound_effects.h"
#include "ui/language.h"
#include "ui/menu_host.h"
#include "ui/menus.h"

namespace tk {

class Program : private MenuHost {
public:
    // `request` is what the command line asked to start with (by default, the menu).
    explicit Program(Platform& platform, StartRequest request = {});
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // The whole run where the platform's waits block (the desktop, the twin): the start-up
    // picture, start-up, the frame loop, shutdown. Returns the process's exit status
    // (non-zero when start-up or a later step failed).
    int Run();
    // One pass of that run, for a platform that does the waiting itself (the web page):
    // the first puts up the start-up picture; each lets what is due run and puts the
    // window on screen; tells when to come back. Once ended(), a pass does nothing.
    Wake Step();
    bool ended() const { return phase_ == Phase::Ended; }
    int exitStatus() const { return exitStatus_; }

    // ---- the parts, for whoever looks in (the tests) ------------------------
    WindowView& view() { return view_; }
    const Settings& settings() const { return settings_; }
    const BestTimes& bestTimes() const { return bests_; }
    const Paths& paths() const { return paths_; }
    ImageSet& images() { return images_; }
    PlaySession& play() { return play_; }
    const PlaySession& play() const { return play_; }
    Menus& menus() { return menus_; }
    const DisplayMode& display() const { return display_; }
    const Language& language() const { return language_; }
    Menus::Screen screen() const { return menus_.screen(); }
    bool started() const { return phase_ == Phase::Running || phase_ == Phase::Ended; }
    bool unloaded() const { return phase_ == Phase::Ended; }

    // ---- what start-up found wrong, kept for the window to tell -----------------
    // The data files and folders the game goes on without (said on standard error).
    const std::vector<std::string>& missingFiles() const { return missing_; }
    // Where a damaged settings file was moved before the defaults were copied afresh;
    // empty when none was. (The best times say theirs: BestTimes::SetAsideAs, NotKept.)
    const std::string& settingsSetAside() const { return settingsSetAside_; }

private:
    // Failed: a failure that stops the program stands over the window until a key.
    enum class Phase { StartupPicture, Running, Failed, Ended };

    // One pass of the frame loop at `now`: what is due runs; tells when to come back.
    // `pictureJustUp`: this pass put the start-up picture up.
    Wake Pass(std::uint64_t now, bool pictureJustUp);
    // A level the command line named must be one the game can play, before any window
    // shows; false after saying on standard error why it is not (as the levels tool does).
    bool AskedLevelReads();
    // Once the menu is up, starts what the command line asked for.
    void StartAsked();
    void ShowStartupPicture();
    // The window as the settings remember it, or a first start's; before it shows.
    void PlaceWindowAtStart();
    // At the end, the window's placement goes into the settings when the player changed it.
    void RememberPlacement();
    void StartUp();
    void ShutDown();
    void ReleaseWindowPictures();
    // A failure that stops the program: on standard error, and over the window until the
    // player presses a key or closes it (FailurePass); then undone as far as it got.
    Wake Fail(const std::string& why);
    Wake FailurePass();
    void EndAfterFailure();
    // The music on or off as the settings say; no sound device is told once.
    void SwitchMusic();
    // Hands what the player pressed to the menus, then to the text box or the help view.
    void Deliver(const InputEvent& event);
    // Everything the player pressed meanwhile, in order (during a level it does nothing).
    void LetEventsRun();
    // Saves the settings changed since the last save (`changed::` bits), with `also`.
    void Save(unsigned also);
    void ReportMissingFiles();
    void TellWhatStartUpFound();

    // ---- MenuHost -------------------------------------------------------------
    bool fullscreenOn() const override { return settings_.fullscreenOn; }
    bool musicOn() const override { return settings_.musicOn; }
    const std::string& currentLevel() const override { return settings_.currentLevel; }
    void ToggleFullscreen() override;
    void ToggleMusic() override;
    void ChooseLevel(const std::string& name) override {
        settings_.currentLevel = name;
        unsaved_ |= changed::kLevel;
    }
    std::optional<std::int16_t> BestTime(const std::string& level) const override { return bests_.Best(level); }
    WinRecord RecordWin(const std::string& level, std::int16_t secondsLeft) override {
        if (!bests_.Record(level, secondsLeft)) return WinRecord::NoBest;
        return bests_.NotKept().empty() ? WinRecord::NewBest : WinRecord::NewBestNotKept;
    }
    int BestsInAll() const override { return bests_.InAll(); }
    std::string LevelPath(const std::string& name) const override { return paths_.LevelFile(name); }
    std::string HelpPagePath(const std::string& pageName) const override { return paths_.HelpPage(pageName); }
    void CannotRemember(const std::string& why) override;
    void Tell(const std::string& text) override { notices_.Tell(text, plat_.Now()); }
    void Quit() override { quit_ = true; }
    bool Closing() override { return quit_ || plat_.CloseRequested(); }

    Platform& plat_;
    StartRequest request_;
    Paths paths_;
    WindowView view_;
    Settings settings_;
    BestTimes bests_;
    ImageSet images_;
    SoundEffects sounds_;
    Music music_;
    Notices notices_;
    DisplayMode display_;
    Language language_;
    PlaySession play_;
    Menus menus_;

    Phase phase_ = Phase::StartupPicture;
    Phase failedIn_ = Phase::StartupPicture;
    bool pictureUp_ = false;
    int exitStatus_ = 0;
    std::uint64_t startupUntil_ = 0;
    bool quit_ = false;
    bool toldCannotRemember_ = false;
    bool toldNoSoundDevice_ = false;
    WindowPlacement placed_;  // where start-up put the window
    unsigned unsaved_ = 0;  // the settings chosen since they were last saved
    std::vector<std::string> missing_;
    std::string settingsSetAside_;
};

}  // namespace tk

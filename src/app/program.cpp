// The program's run: the start-up picture, start-up in its fixed order, the frame loop,
// shutdown. The loop is the only one in the program: every pass lets what is due run,
// puts the window on screen if anything on it changed, and waits for the next deadline
// or for the player.
#include "app/program.h"

#include <algorithm>
#include <filesystem>
#include <utility>
#include <vector>

#include "platform/fatal_error.h"
#include "platform/window_input.h"
#include "puzzle/level_file.h"
#include "puzzle/regular_file.h"
#include "ui/credits.h"
#include "ui/texts.h"

// The start-up and cursor pictures travel inside the executable (generated at build time).
extern const unsigned char kStartupPicture[];
extern const unsigned long kStartupPictureSize;
extern const unsigned char kCursorPicture[];
extern const unsigned long kCursorPictureSize;

namespace tk {

namespace {
constexpr std::uint64_t kStartupPictureMs = 1250;
}  // namespace

Program::Program(Platform& platform, StartRequest request)
    : plat_(platform), request_(std::move(request)), paths_(LocatePaths(platform.ProgramFolder(), platform.UserConfigHome())),
      bests_(platform.Files(), paths_.Scores(), [&platform](const std::string& line) { platform.Warn(line); }),
      images_(platform, paths_),
      sounds_(platform, paths_.SoundFolder()), music_(platform, paths_.MusicFile()), notices_(view_.notice),
      display_(platform), language_(platform.Files(), paths_.LanguageMarker()),
      play_(platform, view_.play, images_, sounds_),
      menus_(platform, view_, sounds_, play_, language_, *this) {
    view_.creditNames = kCreditNames;
}

int Program::Run() {
    for (;;) {
        const Wake wake = Step();
        if (ended()) return exitStatus_;
        plat_.WaitUntil(wake.at, wake.onInput);
    }
}

Wake Program::Step() {
    try {
        if (phase_ == Phase::Ended) return Wake{};
        if (phase_ == Phase::Failed) return FailurePass();
        const bool firstPass = !pictureUp_;
        if (firstPass) {
            pictureUp_ = true;
            if (!AskedLevelReads()) {
                phase_ = Phase::Ended;
                exitStatus_ = 1;
                return Wake{};
            }
            ShowStartupPicture();
        }
        const Wake wake = Pass(plat_.Now(), firstPass);
        if (phase_ == Phase::Ended) return Wake{};
        // A window about to close is not drawn again (a close signal that ended a wait,
        // say): the next wait ends at once and the program with it.
        if (!plat_.CloseRequested()) {
            plat_.Present(view_);
            menus_.Shown(plat_.Now());
        }
        return wake;
    } catch (const std::exception& e) {
        return Fail(e.what());
    }
}

Wake Program::Pass(std::uint64_t now, bool pictureJustUp) {
    if (phase_ == Phase::StartupPicture) {
        if (plat_.CloseRequested()) {
            // Nothing has been started yet, so there is nothing to undo.
            ReleaseWindowPictures();
            phase_ = Phase::Ended;
            return Wake{};
        }
        // The pass that puts the picture up does nothing else, even when the picture has
        // already stood its time in the page: the page may still be bringing the data.
        if (now < startupUntil_ || pictureJustUp) return Wake{startupUntil_, false};
        StartUp();
        phase_ = Phase::Running;
        StartAsked();
    }
    // A notice stands over whatever runs, and goes when its time is up.
    const Wake notice = notices_.Advance(now);
    const Wake wake = menus_.Advance(now);
    // A level lets events run only where it says so; the keys pressed during its pauses
    // and its quit question stay queued for what comes after.
    if (wake.letEventsRun) LetEventsRun();
    if (menus_.Busy()) return Wake::Sooner(wake, notice);
    // Nothing runs on its own: the menus take what the player pressed, one key at a time,
    // until one of them starts something that runs (the rest then waits for it).
    InputEvent event;
    while (!menus_.Busy() && plat_.NextInput(event)) Deliver(event);
    if (menus_.Busy()) return Wake::Now(now);
    if (Closing()) {
        ShutDown();
        phase_ = Phase::Ended;
        return Wake{};
    }
    return Wake::Sooner(Wake::OnInput(), notice);
}

void Program::Deliver(const InputEvent& event) {
    if (event.kind == InputEvent::Kind::Key) menus_.KeyDown(event.key, event.modifiers);
    else if (event.kind != InputEvent::Kind::Text) menus_.PointerInput(event);
    // Only a shown help page scrolls: measuring it lays it out, which waits until then.
    WindowTakesInput(view_, event, view_.help.shown ? plat_.HelpPageHeight() : 0);
}

void Program::LetEventsRun() {
    InputEvent event;
    while (plat_.NextInput(event)) Deliver(event);
}

// ---- what the command line asked for ------------------------------------------------

bool Program::AskedLevelReads() {
    std::string path;
    if (request_.kind == StartRequest::Kind::File) path = request_.path;
    if (request_.kind == StartRequest::Kind::Level) path = paths_.LevelFile(request_.name);
    if (path.empty()) return true;
    const LevelRead read = readLevelFile(path);
    for (const LevelProblem& problem : read.problems) plat_.Warn(formatProblem(path, problem));
    return read.level.has_value();
}

void Program::StartAsked() {
    switch (request_.kind) {
    case StartRequest::Kind::Menu: break;
    case StartRequest::Kind::File: menus_.PlayFile(request_.path); break;
    case StartRequest::Kind::Level: menus_.PlayLevel(request_.name); break;
    case StartRequest::Kind::Daily: menus_.StartDaily(); break;
    case StartRequest::Kind::Random: menus_.StartGenerated(request_.band, request_.seed); break;
    }
}

// ---- start-up and shutdown --------------------------------------------------------

void Program::ShowStartupPicture() {
    FlushKeys(plat_);
    PlaceWindowAtStart();
    // The window goes up first, so that the window manager puts it on screen while the
    // picture is decoded; the first pass presents the picture as soon as it is ready.
    plat_.ShowWindow();
    view_.background = plat_.LoadPicture(kStartupPicture, kStartupPictureSize);
    view_.cursor = plat_.LoadPicture(kCursorPicture, kCursorPictureSize);
    // It stands its time from when it first showed, which a page may have done itself.
    const std::uint64_t now = plat_.Now();
    startupUntil_ = std::min(plat_.StartupPictureShownAt().value_or(now), now) + kStartupPictureMs;
}

void Program::StartUp() {
    // The order matters: everything that can stop start-up (the window picture, the
    // settings) comes before anything that changes the display, and nothing is written
    // except the language marker, rewritten with the same empty content, and, installed,
    // the player's settings folder with the first run's copy of the settings.
    try {
        // The window's own picture replaces the start-up picture.
        const std::string window = paths_.DataFile("okno.jpg");
        const PictureHandle picture = plat_.LoadPicture(window);
        if (picture == 0) {
            std::error_code ec;
            const bool present = std::filesystem::exists(window, ec);
            throw FatalError("Cannot load the window picture " + window + ": " +
                             (present ? "not a picture the program can read" : "file not found"));
        }
        plat_.FreePicture(view_.background);
        view_.background = picture;
        // Without a font every caption, the menu included, would be blank: a game nobody
        // could find their way in.
        if (!plat_.CanDrawText())
            throw FatalError("No font for the game's text was found: install Liberation Sans or DejaVu Sans "
                             "(the Debian packages fonts-liberation2 and fonts-dejavu-core)");

        view_.creditsShown = true;
        // Installed, the language marker and the settings live in the player's config
        // folder; a first run starts from the shipped settings.
        std::string problem;
        settingsSetAside_ = PrepareSettingsFolder(paths_, plat_.Files(), problem);
        if (!settingsSetAside_.empty())
            plat_.Warn("the settings file " + paths_.Settings() + " was damaged (" + problem + "); moved to " +
                       settingsSetAside_ + " and the shipped settings copied afresh");
        language_.BeforeFirstSwitch();
        menus_.SwitchLanguage();
        images_.Load();
        ReportMissingFiles();
        // The settings decide the music and the display mode below.
        std::string warning;
        settings_ = readSettings(paths_.Settings(), &warning);
        if (!warning.empty()) plat_.Warn(warning);
        // The best times never stop start-up.
        bests_.Load();
    } catch (...) {
        images_.Release();
        throw;
    }

    try {
        // The device opens whether the music is on or not: the sound effects share it.
        if (!music_.OpenDevice()) plat_.Warn("no sound device: the music stays off");
        if (settings_.musicOn) SwitchMusic();
        if (settings_.fullscreenOn) display_.SetFullscreen(true);
        menus_.ShowMainMenu();
        TellWhatStartUpFound();
    } catch (...) {
        // From here on the display and the music may have changed: undo as shutdown does.
        ShutDown();
        phase_ = Phase::Ended;
        throw;
    }
}

void Program::PlaceWindowAtStart() {
    // The desktop as the user has it, before any change of display mode.
    display_.MeasureDesktop();
    // Only the window's lines are wanted here: a settings file that cannot be read stops
    // start-up later, with the reason.
    std::string text, why;
    std::optional<Settings> remembered;
    if (readRegularFile(paths_.Settings(), kMostSettingsBytes, text, why))
        remembered = parseSettings(std::move(text), paths_.Settings(), why);
    plat_.PlaceWindow(remembered && remembered->window ? *remembered->window : display_.FirstPlacement());
    placed_ = plat_.Placement();
}

void Program::RememberPlacement() {
    const WindowPlacement now = plat_.Placement();
    if (now == placed_) return;
    settings_.window = now;
    std::string why;
    if (!saveSettings(plat_.Files(), paths_.Settings(), settings_, changed::kWindow, why))
        plat_.Warn(why + "; the window's place is not remembered");
}

void Program::ShutDown() {
    if (phase_ == Phase::Ended) return;
    RememberPlacement();
    if (settings_.fullscreenOn) display_.SetFullscreen(false);
    images_.Release();
    music_.Switch(false);
    music_.CloseDevice();
    ReleaseWindowPictures();
    phase_ = Phase::Ended;
}

void Program::ReleaseWindowPictures() {
    plat_.FreePicture(view_.background);
    view_.background = 0;
    plat_.FreePicture(view_.cursor);
    view_.cursor = 0;
}

Wake Program::Fail(const std::string& why) {
    plat_.Warn(why);
    if (phase_ != Phase::Failed) failedIn_ = phase_;
    // Without a font there are no words to show: standard error has said it all.
    if (!plat_.CanDrawText()) {
        EndAfterFailure();
        return Wake{};
    }
    view_.notice = NoticeView{true, why};
    phase_ = Phase::Failed;
    // Only a key pressed once the words are up takes them away.
    InputEvent event;
    while (plat_.NextInput(event)) {
    }
    return FailurePass();
}

Wake Program::FailurePass() {
    bool done = plat_.CloseRequested();
    InputEvent event;
    while (!done && plat_.NextInput(event)) done = event.kind == InputEvent::Kind::Key;
    if (done) {
        view_.notice.shown = false;
        EndAfterFailure();
        return Wake{};
    }
    plat_.Present(view_);
    return Wake::OnInput();
}

void Program::EndAfterFailure() {
    // Start-up undoes its own partial work before it gives up; a later failure (a
    // settings write, the language marker) still gives the desktop back.
    if (failedIn_ == Phase::Running) {
        phase_ = Phase::Running;
        try {
            ShutDown();
        } catch (const std::exception& e) {
            plat_.Warn(e.what());
        }
    } else if (failedIn_ == Phase::StartupPicture) {
        ReleaseWindowPictures();
    }
    phase_ = Phase::Ended;
    exitStatus_ = 1;
}

void Program::ReportMissingFiles() {
    std::vector<std::string> files = images_.MissingFiles();
    for (const char* name : SoundEffects::kNames) files.push_back(paths_.SoundFolder() + "/" + name + ".wav");
    files.push_back(paths_.MusicFile());
    for (bool czech : {true, false}) files.push_back(paths_.HelpPage(texts::helpPageName(czech)));
    files.push_back(paths_.HelpStyleSheet());
    // The game goes on without any of them, but whoever started it is told which.
    missing_.clear();
    std::error_code ec;
    if (!std::filesystem::is_directory(paths_.LevelsFolder(), ec)) {
        missing_.push_back(paths_.LevelsFolder());
        plat_.Warn("missing the levels folder " + paths_.LevelsFolder() + "; \"Play\" has no level to start");
    }
    for (const std::string& file : files) {
        if (std::filesystem::is_regular_file(file, ec) && !images_.Failed(file)) continue;
        const bool present = std::filesystem::exists(file, ec);
        missing_.push_back(file);
        plat_.Warn((present ? "cannot use " : "missing ") + file + (present ? ": not a file the game can read" : "") +
                   "; the game goes on without it");
    }
}

// What start-up set aside or goes on without, told once over the main menu in the
// language in force, named as the player finds them in the game's folders.
void Program::TellWhatStartUpFound() {
    const bool czech = language_.isCzech();
    const auto named = [](const std::string& path, const std::string& folder) {
        return path.rfind(folder + "/", 0) == 0 ? path.substr(folder.size() + 1) : path;
    };
    std::vector<std::string> lines;
    if (!missing_.empty()) {
        std::vector<std::string> names;
        for (const std::string& path : missing_)
            names.push_back(named(path, paths_.dataFolder()) + (path == paths_.LevelsFolder() ? "/" : ""));
        lines.push_back(texts::missingFiles(czech, names));
    }
    if (!settingsSetAside_.empty())
        lines.push_back(texts::settingsSetAside(czech, named(settingsSetAside_, paths_.settingsFolder())));
    if (!bests_.SetAsideAs().empty())
        lines.push_back(texts::bestsSetAside(czech, named(bests_.SetAsideAs(), paths_.settingsFolder())));
    // Several lines take longer to read than the few words of a notice in play.
    for (const std::string& line : lines) notices_.Add(line, plat_.Now(), Notices::kStandsMs * (1 + lines.size()));
}

// ---- what the options screen changes ------------------------------------------------

void Program::Save(unsigned also) {
    unsaved_ |= also;
    std::string why;
    if (saveSettings(plat_.Files(), paths_.Settings(), settings_, unsaved_, why))
        unsaved_ = 0;
    else
        CannotRemember(why);
}

void Program::CannotRemember(const std::string& why) {
    // The choice stays in force for this run; losing it later is no reason to stop now.
    plat_.Warn(why + "; the choice holds until the game ends");
    if (toldCannotRemember_) return;
    toldCannotRemember_ = true;
    Tell(texts::cannotRemember(language_.isCzech()));
}

void Program::SwitchMusic() {
    music_.Switch(settings_.musicOn);
    if (!settings_.musicOn || music_.HasDevice() || toldNoSoundDevice_) return;
    toldNoSoundDevice_ = true;
    Tell(texts::noSoundDevice(language_.isCzech()));
}

void Program::ToggleFullscreen() {
    settings_.fullscreenOn = !settings_.fullscreenOn;
    // Back in a window, it stands as it stood before, maximised or not.
    display_.SetFullscreen(settings_.fullscreenOn);
    Save(changed::kFullscreen);
}

void Program::ToggleMusic() {
    settings_.musicOn = !settings_.musicOn;
    // Switched on, the piece starts from its beginning.
    SwitchMusic();
    Save(changed::kMusic);
}

}  // namespace tk

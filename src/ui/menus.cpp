// The key-down handler, the main menu's items and the help screen.
#include "ui/menus.h"

#include "puzzle/daily.h"
#include "platform/window_look.h"
#include "ui/texts.h"

namespace tk {

namespace {
bool isAcceptKey(Key key) { return key == Key::Return || key == Key::Space; }
constexpr int kLastMainLine = 4, kLastOptionsLine = 3;
constexpr int kOptionsLine = 1;  // "Options" on the main menu

bool inside(const Box& box, int x, int y) {
    return x >= box.left && x < box.left + box.width && y >= box.top && y < box.top + box.height;
}

// The list line under window pixel (x, y), the cursor's room beside it included, among the
// first `lines`; the side line, where the page has one, lies over the right of the column's
// first line and wins there. -1 for none.
int LineAt(const MenuView& menu, int lines, int x, int y) {
    if (!menu.lines[MenuView::kSideLine].empty() && inside(look::MenuLine(MenuView::kSideLine), x, y))
        return MenuView::kSideLine;
    for (int i = 0; i < lines; ++i) {
        const Box line = look::MenuLine(i);
        if (x >= look::Cursor(menu.page, i).left && x < line.left + line.width && y >= line.top &&
            y < line.top + line.height)
            return i;
    }
    return -1;
}
}  // namespace

Menus::Menus(Platform& platform, WindowView& view, SoundEffects& sounds, PlaySession& session, Language& language,
             MenuHost& host)
    : plat_(platform), view_(view), sounds_(sounds), session_(session), language_(language), host_(host),
      list_(view.menu, sounds), options_(view.menu, view.levelBox, host, language), made_(view.menu, host, language),
      sequence_(platform, view.play, session, language, host) {}

void Menus::Shown(std::uint64_t at) {
    options_.Shown(at);
    sequence_.Shown(at);
}

void Menus::ShowMainMenu() {
    screen_ = Screen::MainMenu;
    view_.menu.shown = true;
    list_.Highlight(0);
}

void Menus::SwitchLanguage() {
    const std::string why = language_.Switch();
    if (!why.empty()) host_.CannotRemember(why);
    const bool cz = language_.isCzech();
    WriteMainMenu();
    view_.creditHeadings = texts::creditsHeadings(cz);
    view_.help.missingText = texts::helpPageMissing(cz);
    view_.help.refusedText = texts::helpPageRefused(cz);
    plat_.LoadHelpPage(view_.help, host_.HelpPagePath(texts::helpPageName(cz)));
}

void Menus::WriteMainMenu() {
    view_.menu.page = MenuView::Page::Main;
    for (int i = 0; i < MenuView::kLines; ++i) view_.menu.lines[i] = texts::menuLine(language_.isCzech(), i);
}

void Menus::KeyDown(Key key, int modifiers) {
    // The window is about to go: a key still queued behind "Quit" or a close must not
    // start anything new.
    if (host_.Closing()) return;
    // During a level keys are read by polling; the ones that reach here act not, nor
    // sound, but they stop a walk the pointer began.
    if (sequence_.Running()) {
        session_.KeyDown();
        return;
    }
    const bool accept = isAcceptKey(key);
    // Kept: an accept key sounds on every menu screen, also where it then does nothing.
    if (accept) sounds_.Play("menu");

    switch (screen_) {
    case Screen::MainMenu:
        list_.Step(key, modifiers, kLastMainLine);
        if (accept) MainMenuAction();
        break;
    case Screen::Help:
        if (key == Key::Escape) CloseHelp();
        break;
    case Screen::Options:
        OptionsStep(key, modifiers);
        if (accept) OptionsAction();
        break;
    case Screen::MadeLevels:
        list_.Step(key, modifiers, MadeLevelsScreen::kLineBand);
        if (accept) MadeLevelsAction();
        break;
    case Screen::DailyResult: ResultKey(key); break;
    case Screen::LevelEntry:
        if (accept) {
            options_.FinishEntry();
            if (!options_.NoticeShowing()) screen_ = Screen::Options;
        }
        break;
    case Screen::Levels: break;
    }
}

void Menus::PointerInput(const InputEvent& event) {
    if (event.kind == InputEvent::Kind::PointerMove) {
        const bool moved = pointerSeen_ && (event.x != pointerX_ || event.y != pointerY_);
        pointerSeen_ = true;
        pointerX_ = event.x;
        pointerY_ = event.y;
        if (!moved) return;
    }
    if (host_.Closing()) return;
    if (sequence_.Running()) {
        if (event.kind == InputEvent::Kind::FocusLost || event.kind == InputEvent::Kind::Minimised)
            session_.LostAttention();
        return;
    }
    const bool leftClick = event.kind == InputEvent::Kind::PointerDown && event.button == PointerButton::Left;
    if (screen_ == Screen::LevelEntry) {
        if (leftClick && inside(look::kLevelBox, event.x, event.y))
            view_.levelBox.caret = plat_.LevelBoxCaretAt(view_.levelBox, event.x);
        return;
    }
    // A click anywhere over the day's result closes it, as Enter does.
    if (screen_ == Screen::DailyResult) {
        if (leftClick) KeyDown(Key::Return, 0);
        return;
    }
    int lines = 0;  // the column's lines the pointer can choose
    if (screen_ == Screen::MainMenu) lines = kLastMainLine + 1;
    if (screen_ == Screen::Options) lines = kLastOptionsLine + 1;
    if (screen_ == Screen::MadeLevels) lines = MadeLevelsScreen::kLineBand + 1;
    if (lines == 0) return;
    const int line = LineAt(view_.menu, lines, event.x, event.y);
    if (line < 0) return;
    if (event.kind == InputEvent::Kind::PointerMove) {
        // The highlight follows the pointer, sounding as it does for the arrows.
        if (line == list_.cursor()) return;
        sounds_.Play("menumove");
        list_.Highlight(line);
    } else if (leftClick) {
        // A click is the line's accept key.
        list_.Highlight(line);
        KeyDown(Key::Return, 0);
    }
}

Wake Menus::Advance(std::uint64_t now) {
    if (copyAsked_) {
        if (const std::optional<bool> done = plat_.CopyAnswer()) {
            copyAsked_ = false;
            TellCopied(*done);
        }
    }
    if (options_.NoticeShowing()) {
        const Wake wake = options_.Advance(now);
        if (options_.NoticeShowing()) return wake;
        screen_ = Screen::Options;
    }
    const Wake wake = sequence_.Advance(now);
    if (madeRunning_ && !sequence_.Running()) {
        madeRunning_ = false;
        if (!sequence_.dailyResult().empty())
            screen_ = Screen::DailyResult;
        else
            AfterMadeLevel();
    }
    return wake;
}

void Menus::StartGenerated(Difficulty band, std::optional<std::uint64_t> seed) {
    if (sequence_.Running() || screen_ == Screen::DailyResult) return;
    if (band == Difficulty::Any) band = Difficulty::Medium;
    // A seed a player can read off the title and type again.
    constexpr std::uint64_t kSeeds = 999'999;
    const std::uint64_t chosen =
        seed ? *seed : 1 + SplitMix64(static_cast<std::uint64_t>(plat_.UtcSeconds()) * 1000 + plat_.Now()).Next() % kSeeds;
    madeFrom_ = screen_;
    madeRunning_ = true;
    sequence_.StartRandom(band, chosen);
}

void Menus::StartDaily() {
    if (sequence_.Running() || screen_ == Screen::DailyResult) return;
    madeFrom_ = screen_;
    madeRunning_ = true;
    sequence_.StartDaily(utcDateOf(plat_.UtcSeconds()));
}

void Menus::AfterMadeLevel() {
    screen_ = madeFrom_;
    // The page shows the day's best, which the level may have just set.
    if (screen_ == Screen::MadeLevels) made_.Show(utcDateOf(plat_.UtcSeconds()));
}

void Menus::ResultKey(Key key) {
    if (key == Key::C) {
        const ClipboardCopy copy = plat_.SetClipboardText(sequence_.dailyResult());
        // Where the answer comes later, the player is told then: never a copy that did not happen.
        copyAsked_ = copy == ClipboardCopy::Asked;
        if (!copyAsked_) TellCopied(copy == ClipboardCopy::Done);
    } else if (isAcceptKey(key) || key == Key::Escape) {
        sequence_.CloseResult();
        AfterMadeLevel();
    }
}

void Menus::TellCopied(bool done) {
    const bool cz = language_.isCzech();
    host_.Tell(done ? texts::resultCopied(cz) : texts::cannotCopy(cz));
}

void Menus::MainMenuAction() {
    switch (list_.cursor()) {
    case 0: sequence_.Start(); break;
    case 1: ShowOptions(OptionsScreen::kLineBack); break;
    case 2: OpenHelp(); break;
    case 3: SwitchLanguage(); break;
    case 4: host_.Quit(); break;  // the program ends once nothing runs
    default: break;
    }
}

void Menus::OptionsStep(Key key, int modifiers) {
    if (list_.cursor() != OptionsScreen::kLineMade) {
        list_.Step(key, modifiers, kLastOptionsLine);
        if (key == Key::Right) list_.Move(OptionsScreen::kLineMade, modifiers);
        return;
    }
    // The side line is a column of one: Up and Down sound and stay, as at the ends.
    if (key == Key::Left) list_.Move(OptionsScreen::kLineBack, modifiers);
    if (key == Key::Up || key == Key::Down) list_.Move(OptionsScreen::kLineMade, modifiers);
}

void Menus::ShowOptions(int highlight) {
    screen_ = Screen::Options;
    options_.Show();
    list_.Highlight(highlight);
}

void Menus::MadeLevelsAction() {
    switch (list_.cursor()) {
    case MadeLevelsScreen::kLineBack: ShowOptions(OptionsScreen::kLineMade); break;
    case MadeLevelsScreen::kLineDaily: StartDaily(); break;
    case MadeLevelsScreen::kLineRandom: StartGenerated(made_.band()); break;
    case MadeLevelsScreen::kLineBand: made_.NextBand(); break;
    default: break;
    }
}

void Menus::OptionsAction() {
    switch (list_.cursor()) {
    case OptionsScreen::kLineMade:
        screen_ = Screen::MadeLevels;
        made_.Show(utcDateOf(plat_.UtcSeconds()));
        list_.Highlight(MadeLevelsScreen::kLineBack);
        break;
    case OptionsScreen::kLineBack:
        screen_ = Screen::MainMenu;
        WriteMainMenu();
        list_.Highlight(kOptionsLine);
        break;
    case OptionsScreen::kLineDisplay: options_.ToggleFullscreen(); break;
    case OptionsScreen::kLineMusic: options_.ToggleMusic(); break;
    case OptionsScreen::kLineChoose:
        options_.OpenEntry();
        screen_ = Screen::LevelEntry;
        break;
    default: break;
    }
}

void Menus::OpenHelp() {
    view_.help.shown = true;
    screen_ = Screen::Help;
}

void Menus::CloseHelp() {
    // The menu beneath is as it was left.
    view_.help.shown = false;
    screen_ = Screen::MainMenu;
}

}  // namespace tk

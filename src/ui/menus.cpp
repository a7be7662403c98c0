// The key-down handler, the main menu's items and the help screen.
#include "ui/menus.h"

#include "ui/texts.h"

namespace tk {

namespace {
bool isAcceptKey(Key key) { return key == Key::Return || key == Key::Space; }
constexpr int kLastMainLine = 4, kLastOptionsLine = 3;
constexpr int kOptionsLine = 1;  // "Options" on the main menu
}  // namespace

Menus::Menus(Platform& platform, WindowView& view, SoundEffects& sounds, PlaySession& session, Language& language,
             MenuHost& host)
    : plat_(platform), view_(view), sounds_(sounds), session_(session), language_(language), host_(host),
      list_(view.menu, sounds), options_(view.menu, view.levelBox, host, language),
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
    // During a level keys are read by polling; the ones that reach here act not, nor sound.
    if (sequence_.Running()) return;
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
        list_.Step(key, modifiers, kLastOptionsLine);
        if (accept) OptionsAction();
        break;
    case Screen::LevelEntry:
        if (accept) {
            options_.FinishEntry();
            if (!options_.NoticeShowing()) screen_ = Screen::Options;
        }
        break;
    case Screen::Levels: break;
    }
}

Wake Menus::Advance(std::uint64_t now) {
    if (options_.NoticeShowing()) {
        const Wake wake = options_.Advance(now);
        if (options_.NoticeShowing()) return wake;
        screen_ = Screen::Options;
    }
    return sequence_.Advance(now);
}

void Menus::MainMenuAction() {
    switch (list_.cursor()) {
    case 0: sequence_.Start(); break;
    case 1:
        screen_ = Screen::Options;
        options_.Show();
        list_.Highlight(OptionsScreen::kLineBack);
        break;
    case 2: OpenHelp(); break;
    case 3: SwitchLanguage(); break;
    case 4: host_.Quit(); break;  // the program ends once nothing runs
    default: break;
    }
}

void Menus::OptionsAction() {
    switch (list_.cursor()) {
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

// The key-down handler, the main menu's items and the help screen.
#include "ui/menus.h"

#include "ui/menu_look.h"
#include "ui/texts.h"

namespace tk {

namespace {
bool isAcceptKey(int key) { return key == vk::Return || key == vk::Space; }
constexpr int kLastMainLine = 4, kLastOptionsLine = 3;
}  // namespace

Menus::Menus(Platform& platform, Controls& controls, SoundEffects& sounds, PlaySession& session, Language& language,
             MenuHost& host)
    : plat_(platform), ctl_(controls), sounds_(sounds), session_(session), language_(language), host_(host),
      list_(controls, sounds), options_(controls, host, language),
      sequence_(platform, controls, session, language, host) {}

void Menus::Shown(std::uint64_t at) {
    options_.Shown(at);
    sequence_.Shown(at);
}

void Menus::ShowMainMenu() {
    screen_ = Screen::MainMenu;
    for (Label& line : ctl_.menuLines) line.Visible = true;
    ctl_.cursor.Visible = true;
    // From 0 a step up is clamped back to 0; the modifier keeps it silent.
    KeyDown(vk::Up, shiftmask::Shift);
}

void Menus::SwitchLanguage() {
    const std::string why = language_.Switch();
    if (!why.empty()) host_.CannotRemember(why);
    const bool cz = language_.isCzech();
    CaptionMainMenu();
    ctl_.creditHeadings.Caption = texts::creditsHeadings(cz);
    ctl_.help.MissingPageText = texts::helpPageMissing(cz);
    plat_.LoadHelpPage(ctl_.help, host_.HelpPagePath(texts::helpPageName(cz)));
}

void Menus::CaptionMainMenu() {
    for (int i = 0; i < menulook::kLines; ++i) ctl_.menuLines[i].Caption = texts::menuLine(language_.isCzech(), i);
    menulook::setFontSize(ctl_.menuLines, menulook::kMainMenuPt);
}

void Menus::KeyDown(int key, int shift) {
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
        list_.Step(key, shift, kLastMainLine, menulook::kMainMenuCursorOffset);
        if (accept) MainMenuAction();
        break;
    case Screen::Help:
        if (key == vk::Escape) CloseHelp();
        break;
    case Screen::Options:
        list_.Step(key, shift, kLastOptionsLine, menulook::kOptionsCursorOffset);
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
        options_.ShowCaptions();
        // The cursor is still on "Options" (1); a silent Up brings it to "« back".
        KeyDown(vk::Up, shiftmask::Shift);
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
        CaptionMainMenu();
        // From "« back" (0) a silent Down lands on "Options" again.
        KeyDown(vk::Down, shiftmask::Shift);
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
    // The same rectangle as the board, so it covers the menu lines and the cursor.
    BrowserView& help = ctl_.help;
    help.Left = kBoardLeft;
    help.Top = kBoardTop;
    help.Width = kBoardWidth;
    help.Height = kBoardHeight;
    help.Visible = true;
    screen_ = Screen::Help;
}

void Menus::CloseHelp() {
    // Out of the window as well as hidden; the menu beneath is as it was left.
    ctl_.help.Top = 1000;
    ctl_.help.Visible = false;
    screen_ = Screen::MainMenu;
}

}  // namespace tk

// The main window: all of the game's state and every screen. Its members are defined
// in the folder of the subsystem they belong to (app, game, ui, services).
#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "platform/platform.h"
#include "puzzle/board.h"
#include "services/mfmod.h"

namespace tk {

// screenMode values.
constexpr std::uint8_t modePlaying = 0, modeLost = 1, modeWon = 2, modeQuitLevel = 3,
                       modeMainMenu = 4, modeHelp = 5, modeOptions = 6, modeLevelEntry = 7;

// Picture slots.
constexpr int kImageSlots = 81;
constexpr int slotFloor = 1, slotSource = 4, slotPlayer = 5, slotPlayerLeft = 6,
              slotPlayerRight = 7, dryBase = 10, slotWon = 25, slotLost = 26, wetBase = 30,
              backgroundBase = 59;

// A failure that stops the program: shown in a message box and on standard error,
// then the program ends with a non-zero status.
struct FatalError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class frmMain : public EventSink {
public:
    explicit frmMain(Platform& platform);
    ~frmMain() override;
    frmMain(const frmMain&) = delete;
    frmMain& operator=(const frmMain&) = delete;

    Platform& plat;

    // ---- the window's elements (Controls holds them in drawing order) -------
    Controls ctl;
    Label (&Label6)[5] = ctl.Label6;
    ImageBox& Image1 = ctl.Image1;
    Label& Label1 = ctl.Label1;
    Label& Label2 = ctl.Label2;
    Label& Label4 = ctl.Label4;
    PictureBox& picGame = ctl.picGame;
    Label (&Label5)[5] = ctl.Label5;
    TextBox& Text2 = ctl.Text2;
    Timer& Timer1 = ctl.Timer1;
    BrowserView& wbHelp = ctl.wbHelp;

    // ---- shared state, in declared order ------------------------------------
    Graphics* gfx = nullptr;
    std::array<PictureHandle, kImageSlots> images{};
    std::uint32_t gdiplusToken = 0;
    GdiplusStartupInput gdiplusInput{};
    bool isCzech = false;
    float desktopWidth = 0;
    float desktopHeight = 0;
    TileGrid board{};
    FlowGrid flow{};
    std::int16_t sourceX = 0, sourceY = 0;
    std::string levelTitle;
    std::int16_t timeLimit = 0;
    std::int16_t backgroundNumber = 0;
    std::string nextLevel;
    std::int16_t timeLeft = 0;
    std::uint8_t screenMode = 0;
    std::int16_t playerX = 0, playerY = 0;
    bool fullscreenOn = false;
    bool musicOn = false;
    std::string currentLevel;
    std::int16_t menuCursor = 0;

    // The music module's state lives beside the window's.
    mFmod fmod;

    // ---- window life --------------------------------------------------------
    // A close request is remembered and carried out once the running sequence
    // (a level, a wait, a nested loop) has ended; on a menu screen at once.
    bool closeRequested = false;
    bool unloaded = false;
    int busyDepth = 0;  // > 0 while a key-down handler runs a sequence

    // ---- app: start-up, paths, pictures, settings, shutdown -----------------
    std::string programFolder;
    std::string LP(const std::string& a) const;
    std::string markerPath() const;    // the language marker file
    std::string settingsPath() const;  // "\options.txt"
    std::string helpPagePath(bool czech) const;
    void FormLoad();
    void Form_Unload(int& Cancel);
    void createSurface();   // GDI+ start-up and gfx on picGame
    void loadImages();      // the picture slots, in their fixed order
    void releaseImages();   // gfx, the slots, GDI+
    void releaseWindowPictures();  // the window's picture and the cursor
    // The game goes on without a picture, a sound, the music or a help page, but says
    // on standard error which file it could not use.
    void reportMissing(const std::string& path);
    void reportMissingSoundsMusicAndHelp();
    void readSettings();    // throws FatalError
    void ulozNastaveni();   // a file that cannot be written is told, and the game goes on
    // Tells once per run that a choice cannot be saved, and each time why on standard error.
    void cannotRemember(const std::string& why);
    bool toldCannotRemember = false;

    // ---- game: loading a level, the loop, the clock, painting ---------------
    void NactiHru(const std::string& jmeno);
    void Hra();
    std::int16_t detekujSmer();
    void Vyhodnot();
    void VykresliPole(int x, int y);
    void VykresliHrace();
    void Timer1_Timer() override;
    static std::string clockText(int seconds);

    // ---- ui: key-down dispatcher, menus, screens, languages -----------------
    void Form_KeyDown(std::int16_t& KeyCode, std::int16_t& Shift) override;
    void Form_MouseDown(int Button, int Shift, float X, float Y) override;
    void Form_MouseMove(int Button, int Shift, float X, float Y);
    void Form_CloseRequest() override;
    void menuListStep(int key, int shift, int lastIndex, int cursorOffset);
    void playSequence();
    void openOptions();
    void optionsAction();
    void finishLevelEntry();
    void openHelp();
    void closeHelp();
    void showFinalScreen();
    void switchLng();
    void stvorMenu();

    // ---- services: sound effects, music file, display mode ------------------
    void makeSound(const std::string& w);
    std::string musicPath() const;
};

}  // namespace tk

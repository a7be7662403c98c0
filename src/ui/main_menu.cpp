// The main menu's play sequence: level after level until the end or a quit.
#include "app/frm_main.h"

namespace tk {

namespace {
// Main must not unload the window while a sequence runs inside a key-down.
struct BusyScope {
    explicit BusyScope(int& depth) : depth_(depth) { ++depth_; }
    ~BusyScope() { --depth_; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;
    int& depth_;
};

constexpr const char* kLastLevelMark = "end";
}  // namespace

void frmMain::playSequence() {
    BusyScope busy(busyDepth);

    // A copy: playing never moves the level that "Play" starts with.
    std::string name = currentLevel;
    bool wonIntoEnd = false;
    for (;;) {
        NactiHru(name);
        if (closeRequested) {
            // The game has ended the level itself; the window is about to go.
            screenMode = modeMainMenu;
            return;
        }
        // Kept: a lost level goes round again with the same name, at once and without limit.
        if (screenMode == modeLost) continue;
        if (screenMode == modeWon) {
            name = nextLevel;
            if (name == kLastLevelMark) {
                wonIntoEnd = true;
                break;
            }
            continue;
        }
        // Left by the player, or a level that could not be loaded: back on the menu.
        // Any other outcome would leave the menu deaf to keys, so it ends here too.
        screenMode = modeMainMenu;
        break;
    }
    // Congratulate only a chain actually won to its end: a level that is itself
    // called "end" and was left or could not be loaded earns nothing.
    if (wonIntoEnd) showFinalScreen();
}

}  // namespace tk

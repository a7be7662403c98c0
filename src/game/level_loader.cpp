// Loading a level for play (NactiHru): the file onto the board, the title, the first water.
#include <iostream>

#include "app/frm_main.h"
#include "puzzle/level_file.h"
#include "ui/texts.h"

namespace tk {

namespace {

// The title labels carry the level's name over the freshly drawn board.
void showTitle(frmMain& form, const std::string& title) {
    for (Label& label : form.Label5) {
        label.FontSize = 48;
        label.FontBold = true;
        label.Caption = title;
        label.Visible = true;
    }
}

std::string problemsText(const std::string& file, const std::vector<LevelProblem>& problems) {
    std::string text;
    for (const LevelProblem& problem : problems) {
        if (!text.empty()) text += '\n';
        text += formatProblem(file, problem);
    }
    return text;
}

}  // namespace

void frmMain::NactiHru(const std::string& jmeno) {
    // The file is read before anything changes, so that a level which cannot be
    // played leaves the game as it was and play simply returns to the menu.
    const std::string path = LP(jmeno + ".kulap");
    // The reader refuses a file whose source or player lies off the board, so every
    // routine below may index the grids with them.
    LevelRead read = readLevelFile(path);
    if (!read.level) {
        if (read.problems.empty()) read.problems.push_back({0, "cannot be loaded", false});
        picGame.Visible = false;
        Label4.Visible = false;
        screenMode = modeMainMenu;
        // The player reads one sentence in the game's language; the level's author gets
        // every problem, with the file's path and line, on standard error.
        std::cerr << problemsText(path, read.problems) << '\n';
        plat.MsgBox(texts::levelCannotBeLoaded(isCzech, jmeno), "TramolKulap", false);
        return;
    }
    const LevelFile& level = *read.level;

    picGame.Left = 15;
    picGame.Top = 15;
    picGame.Visible = true;
    Label4.Visible = true;

    placeLevel(level, board, flow);
    levelTitle = level.Title(isCzech);
    showTitle(*this, levelTitle);
    timeLimit = level.timeLimit;
    timeLeft = timeLimit;
    Label4.Caption = clockText(timeLeft);
    sourceX = level.sourceX;
    sourceY = level.sourceY;
    playerX = level.playerX;
    playerY = level.playerY;
    backgroundNumber = level.backgroundNumber;
    nextLevel = level.nextLevel;

    // Every flow value is unset after the reset, so this paints all 77 cells.
    Vyhodnot();
    plat.PresentGame();
    plat.Repaint();
    plat.Sleep(1500);
    for (Label& label : Label5) label.Visible = false;

    plat.EnableTimer(Timer1, true);
    makeSound("start");
    Hra();
}

}  // namespace tk

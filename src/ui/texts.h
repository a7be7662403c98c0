// Every on-screen text that exists in Czech and in English, in one place.
#pragma once

#include <string>
#include <vector>

#include "puzzle/daily.h"
#include "puzzle/generator.h"

namespace tk::texts {

// The five main-menu lines. Line 3 names the language that choosing it switches to.
inline std::string menuLine(bool czech, int index) {
    static const char* const cz[5] = {"Hrát", "Nastavení", "Nápověda", "English", "Konec"};
    static const char* const en[5] = {"Play", "Options", "Help", "Česky", "Quit"};
    if (index < 0 || index > 4) return {};
    return czech ? cz[index] : en[index];
}

// The credit headings beside the names, one per line.
inline std::string creditsHeadings(bool czech) {
    return czech ? "Programování:\r\nÚrovně:\r\nHudba:" : "Programming:\r\nLevels:\r\nMusic:";
}

// ---- the options screen ------------------------------------------------------
inline std::string optionsBack(bool czech) { return czech ? "« zpět" : "« back"; }

// The full-screen and music lines name the state in force, not what the key would do.
inline std::string optionsDisplay(bool czech, bool fullscreen) {
    if (fullscreen) return czech ? "Celá obrazovka" : "Fullscreen";
    return czech ? "V okně" : "Window mode";
}

inline std::string optionsMusic(bool czech, bool music) {
    if (music) return czech ? "Hudba: hraje" : "Music: on";
    return czech ? "Hudba: nehraje" : "Music: off";
}

inline std::string optionsChooseLevel(bool czech) { return czech ? "Vybrat úroveň:" : "Choose level:"; }

// Line 4 shows the chosen level indented under "Choose level:", the same in both languages.
inline std::string optionsLevelLine(const std::string& level) { return "   " + level; }

// Shown on line 4 for a second when a typed level name has no level file.
inline std::string levelNotFound(bool czech) { return czech ? " - nenalezena -" : " - not found -"; }

// The options screen's side line: the page of levels made by the game.
inline std::string optionsMadeLevels(bool czech) { return czech ? "Další úrovně »" : "More levels »"; }

// ---- the page of made levels: the day's puzzle and random levels -----------------
inline std::string dailyPuzzle(bool czech) { return czech ? "Denní hádanka" : "Daily puzzle"; }
inline std::string randomLevel(bool czech) { return czech ? "Náhodná úroveň" : "Random level"; }

// A band's name, as the page and the titles show it.
inline std::string bandName(bool czech, Difficulty band) {
    switch (band) {
        case Difficulty::Easy: return czech ? "lehká" : "easy";
        case Difficulty::Medium: return czech ? "střední" : "medium";
        case Difficulty::Hard: return czech ? "těžká" : "hard";
        case Difficulty::Expert: return czech ? "mistrovská" : "expert";
        case Difficulty::Any: break;
    }
    return czech ? "jakákoli" : "any";
}

// The band a random level is made in; choosing the line takes the next band.
inline std::string difficultyLine(bool czech, Difficulty band) {
    return (czech ? "Obtížnost: " : "Difficulty: ") + bandName(czech, band);
}

// The page's last line: today's puzzle's band, and its best once it has one.
inline std::string dailyLine(bool czech, Difficulty band, const std::string& bestClockText) {
    std::string line = (czech ? "   Dnes: " : "   Today: ") + bandName(czech, band);
    if (!bestClockText.empty()) line += (czech ? ", rekord " : ", best ") + bestClockText;
    return line;
}

// The titles of made levels; the seed lets a player play a random level again
// (tramolkulap --random BAND --seed N).
inline std::string randomTitle(bool czech, Difficulty band, std::uint64_t seed) {
    return (czech ? "Náhodná úroveň (" : "Random level (") + bandName(czech, band) + ")\r\n#" + std::to_string(seed);
}
inline std::string dailyTitle(bool czech, const CivilDate& date, Difficulty band) {
    return dailyPuzzle(czech) + "\r\n" + isoDate(date) + " (" + bandName(czech, band) + ")";
}

// Over the board when the day's puzzle is won, with the result below it.
inline std::string dailySolved(bool czech) { return czech ? "Denní hádanka\r\nvyřešena!" : "Daily puzzle\r\nsolved!"; }

// The result a player may copy and paste elsewhere, on one line: the day, the band, the
// time left and the hints taken.
inline std::string dailyResult(bool czech, const CivilDate& date, Difficulty band, const std::string& clockText,
                               int hints) {
    return std::string("TramolKulap ") + (czech ? "denní " : "daily ") + isoDate(date) + " · " + bandName(czech, band) +
           " · " + (czech ? "zbylo " + clockText : clockText + " left") + " · " + (czech ? "rady: " : "hints: ") +
           std::to_string(hints);
}
// Below the result: the keys of the result screen.
inline std::string dailyResultKeys(bool czech) {
    return czech ? "C: zkopírovat do schránky · Enter: zpět" : "C: copy to the clipboard · Enter: back";
}
inline std::string resultCopied(bool czech) {
    return czech ? "Výsledek je ve schránce." : "The result is on the clipboard.";
}
inline std::string cannotCopy(bool czech) {
    return czech ? "Do schránky nelze kopírovat." : "The clipboard cannot be reached.";
}

// ---- texts of the game screen ------------------------------------------------
// Shown when play comes to a level whose file is missing or broken; its author finds
// the details on standard error.
inline std::string levelCannotBeLoaded(bool czech, const std::string& level) {
    return czech ? "Úroveň „" + level + "“ nelze načíst: její soubor chybí nebo je poškozený."
                 : "The level \"" + level + "\" cannot be loaded: its file is missing or damaged.";
}

// Asked when the player wants to leave a level.
inline std::string quitQuestion(bool czech) {
    return czech ? "Opravdu skončit?\r\nA / N" : "Really quit?\r\nY / N";
}

// Over the hidden board while a level is paused.
inline std::string paused(bool czech) { return czech ? "Pozastaveno" : "Paused"; }

// Shown over the board after the last level of the chain.
inline std::string finalMessage(bool czech) {
    return czech ? "Všechny úrovně vyřešeny.\r\nGratuluji!" : "All levels solved.\r\nCongratulations!";
}

// Told once per run when a setting or the language cannot be saved (a folder that
// cannot be written): the choice holds until the game ends.
inline std::string cannotRemember(bool czech) {
    return czech ? "Tuto volbu si hra nemůže zapamatovat: platí jen do konce hry."
                 : "This choice cannot be remembered: it holds until the game ends.";
}

// Told once, when the music is asked for and the machine has no sound device.
inline std::string noSoundDevice(bool czech) {
    return czech ? "Žádné zvukové zařízení: hudba zůstane vypnutá." : "No sound device: the music stays off.";
}

// Told once at start-up: the files the game goes on without, named from the data folder.
// A long list names the first few and counts the rest.
inline std::string missingFiles(bool czech, const std::vector<std::string>& names) {
    constexpr std::size_t kNamed = 5;
    std::string list;
    for (std::size_t i = 0; i < names.size() && i < kNamed; ++i) list += (i ? ", " : "") + names[i];
    if (names.size() > kNamed) {
        const std::string more = std::to_string(names.size() - kNamed);
        list += czech ? " a " + more + " dalších" : " and " + more + " more";
    }
    return czech ? "Chybí nebo nejdou přečíst: " + list + ". Hra pokračuje bez nich."
                 : "Missing or unreadable: " + list + ". The game goes on without them.";
}

// Told once at start-up when a damaged file of the player's was moved aside.
inline std::string settingsSetAside(bool czech, const std::string& name) {
    return czech ? "Soubor s nastavením byl poškozený: je odložen jako " + name + " a platí výchozí nastavení."
                 : "The settings file was damaged: it is set aside as " + name + " and the shipped settings apply.";
}
inline std::string bestsSetAside(bool czech, const std::string& name) {
    return czech ? "Soubor s rekordy byl poškozený: je odložen jako " + name + "."
                 : "The best times file was damaged: it is set aside as " + name + ".";
}

// ---- hints and best times ----------------------------------------------------
// A hint that finds the board cannot be won any more; the line breaks after the dash, so
// that "Esc" opens the second line.
inline std::string noWayFromHere(bool czech) {
    return czech ? "Odsud to nepůjde —\r\nEsc a začni znovu" : "No way from here —\r\nEsc to start over";
}

// A hint that the solver could not find in its budget.
inline std::string noHint(bool czech) { return czech ? "žádná rada" : "no hint"; }

// Over the win picture when the time left beats the level's best.
inline std::string newBest(bool czech) { return czech ? "Nový rekord!" : "New best!"; }
// A best that counts for this run, but the best times' file cannot be written.
inline std::string newBestNotKept(bool czech) {
    return czech ? "Nový rekord!\r\nHra si ho nemůže zapsat." : "New best!\r\nThe game cannot write it down.";
}

// The level title's second line: the best time left, as the clock shows it.
inline std::string bestLine(bool czech, const std::string& clockText) {
    return czech ? "Rekord: zbylo " + clockText : "Best: " + clockText + " left";
}

// Below the congratulations: the sum of the bests of every level, as the clock shows it.
inline std::string bestsInAll(bool czech, const std::string& clockText) {
    return czech ? "Rekordy: " + clockText : "Bests in all: " + clockText;
}

// ---- files named by language -------------------------------------------------
// The help page's base name in the help folder (with ".html").
inline std::string helpPageName(bool czech) { return czech ? "napoveda" : "help"; }

// Shown in the help view, above the page's path, when the page cannot be read.
inline std::string helpPageMissing(bool czech) {
    return czech ? "Stránka nápovědy nebyla nalezena." : "The help page was not found.";
}
// Likewise when the page is too large or nested too deeply to be shown.
inline std::string helpPageRefused(bool czech) {
    return czech ? "Stránku nápovědy nelze zobrazit." : "The help page cannot be shown.";
}

// Present in the program folder exactly when the last chosen language is Czech.
inline constexpr const char* kMarkerFileName = "AtToMluvi.Cesky";

}  // namespace tk::texts

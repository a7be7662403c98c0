// The settings file: full screen, music and the level that "Play" starts with.
#include "app/frm_main.h"
#include "app/settings_io.h"
#include "puzzle/level_file.h"
#include "puzzle/regular_file.h"
#include "puzzle/text_lines.h"
#include "puzzle/utf8.h"
#include "ui/texts.h"

#include <vector>

namespace tk {

namespace {

// Where "Play" starts when the settings name a level that may not be loaded.
constexpr const char* kFirstShippedLevel = "01";

// The rest of a UTF-8 line from its seventh character on: a character is counted
// by its first byte, so a name with accents is cut between characters, not inside one.
std::string fromSeventhCharacter(std::string_view line) { return std::string(line.substr(utf8Offset(line, 6))); }

}  // namespace

void frmMain::readSettings() {
    const std::string path = settingsPath();
    // Only the first three lines matter; a device or a runaway file given as the
    // settings must not hold start-up up, so reading stops after a megabyte, and
    // anything but a regular file is refused.
    constexpr std::size_t kMostRead = 1 << 20;
    std::string text, why;
    if (!readRegularFile(path, kMostRead, text, why))
        throw FatalError("Cannot read the settings file " + path + ": " + why);
    // An editor's byte-order mark is not part of the first line.
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);

    // Lines end in CR LF as the game writes them, but a file edited by hand may use
    // LF or CR alone; a last line without an ending still counts.
    int total = 0;
    const std::vector<std::string_view> lines = splitLines(text, 3, total);
    if (lines.size() < 3) {
        throw FatalError("Cannot read the settings file " + path + ": it has " +
                         std::to_string(lines.size()) + " line" + (lines.size() == 1 ? "" : "s") +
                         ", three are needed");
    }
    // Each line is taken by its position; the keys are not searched for.
    fullscreenOn = lines[0] == "fullscreen:on";
    musicOn = lines[1] == "music:on";
    currentLevel = fromSeventhCharacter(lines[2]);
    // The name is joined into a path when "Play" is chosen, so it must stay a name in
    // the levels folder, as the level chooser demands. (An empty name stays empty.)
    if (!currentLevel.empty() && !isPlainLevelName(currentLevel)) {
        plat.Warn("the level named on line 3 of " + path +
                  " is not a plain level name; \"Play\" starts with level " + kFirstShippedLevel);
        currentLevel = kFirstShippedLevel;
    }
}

void frmMain::ulozNastaveni() {
    const std::string path = settingsPath();
    const std::string text = std::string("fullscreen:") + (fullscreenOn ? "on" : "off") + "\r\n" +
                             "music:" + (musicOn ? "on" : "off") + "\r\n" + "level:" + currentLevel +
                             "\r\n";
    std::string why;
    if (!writeSettingsFile(path, text, why)) cannotRemember(why);
}

void frmMain::cannotRemember(const std::string& why) {
    // The choice stays in force for this run; losing it later is no reason to stop now.
    plat.Warn(why + "; the choice holds until the game ends");
    if (toldCannotRemember) return;
    toldCannotRemember = true;
    plat.MsgBox(texts::cannotRemember(isCzech), "TramolKulap", false);
}

}  // namespace tk

// Telling at start-up which of the game's files are missing: it plays on without them, but not in silence about it.
#include <filesystem>
#include <string>
#include <vector>

#include "app/frm_main.h"

namespace tk {

namespace {

// Every sound effect the game plays (makeSound's names).
constexpr const char* kSoundNames[] = {"menu", "menumove", "start", "move", "time", "winner", "looser"};

}  // namespace

void frmMain::reportMissing(const std::string& path) {
    std::error_code ec;
    const bool present = std::filesystem::exists(path, ec);
    plat.Warn((present ? "cannot use " : "missing ") + path + (present ? ": not a file the game can read" : "") +
              "; the game goes on without it");
}

void frmMain::reportMissingSoundsMusicAndHelp() {
    std::vector<std::string> files;
    for (const char* name : kSoundNames) files.push_back(programFolder + "/sound/" + name + ".wav");
    files.push_back(musicPath());
    for (bool czech : {true, false}) files.push_back(helpPagePath(czech));
    for (const std::string& file : files) {
        std::error_code ec;
        if (!std::filesystem::is_regular_file(file, ec)) reportMissing(file);
    }
}

}  // namespace tk

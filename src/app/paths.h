// Where the program's files lie: the data it reads, in folders by kind, and the folder
// where the player's settings and language marker are kept.
#pragma once

#include <functional>
#include <string>

#include "platform/player_files.h"

namespace tk {

class Paths {
public:
    // Data and settings in one folder: the program folder of a build or an unpacked copy.
    explicit Paths(std::string programFolder) : Paths(programFolder, programFolder) {}
    Paths(std::string dataFolder, std::string settingsFolder)
        : data_(std::move(dataFolder)), settings_(std::move(settingsFolder)) {}

    const std::string& dataFolder() const { return data_; }
    const std::string& settingsFolder() const { return settings_; }
    // The settings live apart from the data: the program runs from an install, or from
    // a folder it may not write to.
    bool SettingsApart() const { return settings_ != data_; }

    // A level file (a name ending in ".kulap", in any case) or else a picture. Only the
    // extension decides the folder; the name keeps its own case.
    std::string DataFile(const std::string& fileName) const;
    std::string LevelFile(const std::string& levelName) const { return DataFile(levelName + ".kulap"); }
    std::string LevelsFolder() const { return data_ + "/levels"; }
    std::string Settings() const { return settings_ + "/options.txt"; }
    // The settings a first run starts from, shipped with the data.
    std::string DefaultSettings() const { return data_ + "/options.txt"; }
    // The best times lie beside the settings, wherever those are kept.
    std::string Scores() const { return settings_ + "/scores.txt"; }
    std::string LanguageMarker() const;
    // The marker shipped with the data: a first run in the settings folder starts in the
    // language the install was left in.
    std::string DefaultLanguageMarker() const;
    std::string SoundFolder() const { return data_ + "/sound"; }
    std::string MusicFile() const;
    std::string HelpPage(const std::string& pageName) const { return data_ + "/help/" + pageName + ".html"; }
    std::string HelpStyleSheet() const { return data_ + "/help/help.css"; }

private:
    std::string data_;
    std::string settings_;
};

// Where a program whose executable lies in `programFolder` finds its data and keeps its
// settings:
//   - data beside the executable (a build, an unpacked folder): read there; the settings
//     stay beside it too when the folder may be written, else they go to the XDG folder;
//   - an install (the data in ../share/tramolkulap from the executable's folder): the data
//     from there, the settings in `userConfigHome`/tramolkulap;
//   - neither: everything in the program folder, where start-up then reports what is missing.
// `writable` tells whether the program may write into a folder.
Paths LocatePaths(const std::string& programFolder, const std::string& userConfigHome,
                  const std::function<bool(const std::string&)>& writable);
Paths LocatePaths(const std::string& programFolder, const std::string& userConfigHome);

// Makes the settings folder ready when it lies apart from the data: creates it and, on
// the first run, copies the shipped default settings into it, and the shipped language
// marker with them. A settings file there that is empty or damaged (fewer than three
// lines) is no choice of the player's: it is set aside (PlayerFiles::SetAside) and the
// defaults copied afresh; the name it was moved to is returned (empty when nothing was
// set aside), with the reason in `problem`. Throws FatalError naming the real paths when
// it cannot.
std::string PrepareSettingsFolder(const Paths& paths, PlayerFiles& files, std::string& problem);

}  // namespace tk

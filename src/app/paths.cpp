// Resource paths, and the rule that says where the data and the settings lie.
#include "app/paths.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "app/settings.h"
#include "platform/fatal_error.h"
#include "puzzle/regular_file.h"
#include "services/music.h"
#include "ui/texts.h"

namespace tk {

namespace fs = std::filesystem;

std::string Paths::DataFile(const std::string& fileName) const {
    std::string tail = fileName.size() > 6 ? fileName.substr(fileName.size() - 6) : fileName;
    std::transform(tail.begin(), tail.end(), tail.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (tail == ".kulap") return LevelsFolder() + "/" + fileName;
    return data_ + "/graphics/" + fileName;
}

std::string Paths::LanguageMarker() const { return settings_ + "/" + texts::kMarkerFileName; }

std::string Paths::DefaultLanguageMarker() const { return data_ + "/" + texts::kMarkerFileName; }

std::string Paths::MusicFile() const { return data_ + "/music/" + kMusicFile; }

namespace {

// A folder holds the game's data when it has the levels.
bool HoldsData(const fs::path& folder) {
    std::error_code ec;
    return fs::is_directory(folder / "levels", ec);
}

}  // namespace

Paths LocatePaths(const std::string& programFolder, const std::string& userConfigHome,
                  const std::function<bool(const std::string&)>& writable) {
    const std::string apart = userConfigHome.empty() ? std::string() : userConfigHome + "/tramolkulap";
    if (HoldsData(programFolder)) {
        if (writable(programFolder)) return Paths(programFolder);
        return Paths(programFolder, apart);
    }
    // TK_INSTALLED_DATA is the install's data folder seen from its executables' folder,
    // given by the build from the install's layout.
    const fs::path installed = (fs::path(programFolder) / TK_INSTALLED_DATA).lexically_normal();
    if (HoldsData(installed)) {
        std::string data = installed.string();
        while (data.size() > 1 && data.back() == '/') data.pop_back();
        return Paths(data, apart);
    }
    return Paths(programFolder);
}

Paths LocatePaths(const std::string& programFolder, const std::string& userConfigHome) {
    return LocatePaths(programFolder, userConfigHome,
                       [](const std::string& folder) { return ::access(folder.c_str(), W_OK) == 0; });
}

std::string PrepareSettingsFolder(const Paths& paths, PlayerFiles& files, std::string& problem) {
    if (!paths.SettingsApart()) return {};
    if (paths.settingsFolder().empty())
        throw FatalError("Cannot find a folder for the settings: neither XDG_CONFIG_HOME nor HOME is set");
    std::error_code ec;
    fs::create_directories(paths.settingsFolder(), ec);
    if (ec || !fs::is_directory(paths.settingsFolder()))
        throw FatalError("Cannot create the settings folder " + paths.settingsFolder() + ": " +
                         (ec ? ec.message() : std::string("a file of that name is in the way")));
    // Two games started at once make one copy between them.
    const PlayerFiles::Lock lock = files.LockFolderOf(paths.Settings());
    std::string aside;
    if (fs::exists(fs::symlink_status(paths.Settings(), ec))) {
        // A file the game can read is the player's own, even one whose level line is
        // wrong; so is anything it cannot read (a folder, a FIFO), which start-up then
        // reports. Only a file too short to hold the settings (the remains of a first
        // run that failed, on a full disk or killed) is replaced.
        std::string text, why;
        if (!readRegularFile(paths.Settings(), 1 << 20, text, why) ||
            parseSettings(std::move(text), paths.Settings(), problem))
            return {};
        if (!files.SetAside(paths.Settings(), aside, why))
            throw FatalError("Cannot read the settings file " + paths.Settings() + ": " + problem +
                             ", and it cannot be set aside (" + why + ")");
    }
    std::string defaults, why;
    if (!readRegularFile(paths.DefaultSettings(), 1 << 20, defaults, why))
        throw FatalError("Cannot create the settings file " + paths.Settings() + ": the default settings " +
                         paths.DefaultSettings() + " cannot be read (" + why + ")");
    // The marker first: a whole settings file then tells that the copy is complete.
    if (fs::exists(fs::symlink_status(paths.DefaultLanguageMarker(), ec)) &&
        !files.Write(paths.LanguageMarker(), "", PlayerFiles::Link::Replace, why))
        throw FatalError("Cannot create the language marker " + paths.LanguageMarker() + ": " + why);
    if (!files.Write(paths.Settings(), defaults, PlayerFiles::Link::WriteThrough, why))
        throw FatalError("Cannot create the settings file " + paths.Settings() + " from " + paths.DefaultSettings() +
                         ": " + why);
    return aside;
}

}  // namespace tk

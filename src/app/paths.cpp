// Resource paths, and the rule that says where the data and the settings lie.
#include "app/paths.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "platform/fatal_error.h"
#include "services/music.h"
#include "ui/texts.h"

namespace tk {

namespace fs = std::filesystem;

std::string Paths::LP(const std::string& a) const {
    std::string tail = a.size() > 6 ? a.substr(a.size() - 6) : a;
    std::transform(tail.begin(), tail.end(), tail.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (tail == ".kulap") return data_ + "/levels/" + a;
    return data_ + "/graphics/" + a;
}

std::string Paths::LanguageMarker() const { return settings_ + "/" + texts::kMarkerFileName; }

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

void PrepareSettingsFolder(const Paths& paths) {
    if (!paths.SettingsApart()) return;
    if (paths.settingsFolder().empty())
        throw FatalError("Cannot find a folder for the settings: neither XDG_CONFIG_HOME nor HOME is set");
    std::error_code ec;
    fs::create_directories(paths.settingsFolder(), ec);
    if (ec || !fs::is_directory(paths.settingsFolder()))
        throw FatalError("Cannot create the settings folder " + paths.settingsFolder() + ": " +
                         (ec ? ec.message() : std::string("a file of that name is in the way")));
    // A settings file of the player's own, even a broken one, is never replaced: start-up
    // reports what is wrong with it.
    if (fs::exists(fs::symlink_status(paths.Settings(), ec))) return;
    if (!fs::is_regular_file(paths.DefaultSettings(), ec))
        throw FatalError("Cannot create the settings file " + paths.Settings() + ": the default settings " +
                         paths.DefaultSettings() + " are missing");
    fs::copy_file(paths.DefaultSettings(), paths.Settings(), ec);
    if (ec)
        throw FatalError("Cannot create the settings file " + paths.Settings() + " from " + paths.DefaultSettings() +
                         ": " + ec.message());
}

}  // namespace tk

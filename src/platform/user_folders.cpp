// The XDG config folder from the environment.
#include "platform/user_folders.h"

#include "platform/platform.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace tk {

std::string XdgConfigHome(const char* xdgConfigHome, const char* home) {
    // A relative XDG_CONFIG_HOME is invalid and ignored, as the base directory rules say:
    // it would put the settings wherever the game happened to be started.
    if (xdgConfigHome && xdgConfigHome[0] == '/') return xdgConfigHome;
    if (home && home[0] != '\0') {
        std::string folder = home;
        while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
        return (folder == "/" ? "" : folder) + "/.config";
    }
    return "";
}

std::string XdgConfigHomeOfThisUser() {
    const char* home = std::getenv("HOME");
    if (!home || !*home) {
        if (const passwd* account = ::getpwuid(::getuid())) home = account->pw_dir;
    }
    return XdgConfigHome(std::getenv("XDG_CONFIG_HOME"), home);
}

std::string Platform::UserConfigHome() { return XdgConfigHomeOfThisUser(); }

}  // namespace tk

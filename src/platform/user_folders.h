// The player's own folders, as the desktop names them (the XDG base directories).
#pragma once

#include <string>

namespace tk {

// The folder for the player's settings of every program: $XDG_CONFIG_HOME when it is an
// absolute path, else $HOME/.config; empty when neither can be told. `xdgConfigHome`
// and `home` are the variables' values, null when unset.
std::string XdgConfigHome(const char* xdgConfigHome, const char* home);

// The same from this process's environment, falling back on the account's home folder
// when HOME is unset.
std::string XdgConfigHomeOfThisUser();

}  // namespace tk

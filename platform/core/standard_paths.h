// The user's folders as both backends find them, from the environment.
#pragma once

#include <string>

namespace fw::paths {

// XDG_DOCUMENTS_DIR from user-dirs.dirs, else $HOME/Documents; empty without HOME.
std::string DocumentsPath();
// $XDG_CONFIG_HOME, else $HOME/.config; empty when neither can be had.
std::string PreferencesPath();

}  // namespace fw::paths

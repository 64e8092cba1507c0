// The user's special folders, XDG style. Tests point them at temporary folders through
// XDG_DATA_HOME, XDG_CONFIG_HOME and HOME.
#pragma once

#include <string>

namespace platform {

// Per-user application data: $XDG_DATA_HOME, else ~/.local/share. Empty when neither is known.
std::string UserDataBase();
// Data shared by every game of the publisher: "common-data" inside the user data base
// (a user-writable stand-in for the all-users folder).
std::string CommonDataBase();
// The desktop: XDG_DESKTOP_DIR of $XDG_CONFIG_HOME/user-dirs.dirs, else ~/Desktop.
std::string DesktopFolder();
// The canonical path of the running program, and its folder.
std::string ProgramPath();
std::string ProgramFolder();
std::string CurrentFolder();
bool ChangeFolder(const std::string& folder);
// Creates the folder and its missing parents; true when it exists afterwards.
bool MakeFolders(const std::string& folder);

}  // namespace platform

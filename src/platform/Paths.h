#pragma once
// Where the game's files are on this system: the program's own folder, its data (beside it, or where an
// installation put it) and the player's own folders under the XDG base directory rules. Folders are
// file-system paths with a trailing separator.

#include <functional>
#include <string>

namespace mv {

// The folder of the running program ("./" when it cannot be told).
std::string executableFolder();

// The data folder an installation makes, relative to the installed program's folder: the build sets it
// from the install layout, so any installation prefix works.
extern const char* const kInstalledDataFromProgram;

// Where the game's data is: beside the program when a SYSTEM/graphics.dat lies there (the build's game
// folder, a game unpacked anywhere), else in the installed data folder when that holds one, else the
// program's folder, where the missing archive is then reported.
std::string findDataFolder(const std::string& programFolder,
                           const std::string& installedRelative = kInstalledDataFromProgram);

// The player's own folders, each empty when there is no home to put it in: $XDG_CONFIG_HOME (else
// ~/.config) and $XDG_DATA_HOME (else ~/.local/share). The rules say a relative value is ignored.
struct UserFolders {
  std::string config;
  std::string data;
};
using Environment = std::function<const char*(const char*)>;
UserFolders userFolders(const Environment& environment);
UserFolders userFolders();

// Whether a new file can be made in the folder, found by making one and removing it: permission bits
// do not tell (root passes over them; read-only mounts and access lists stop writes they allow).
bool canCreateFileIn(const std::string& folder);

// `name` inside `folder`; unchanged when the folder is empty (the working folder) or the name absolute.
std::string placeIn(const std::string& folder, const std::string& name);

}  // namespace mv

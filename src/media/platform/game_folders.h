// Where the game reads its data and where it keeps the player's files.
//
// Two layouts. A portable game folder (a build folder, an unpacked archive, a prefix the player owns) holds the
// executable beside gfx/, sfx/ and bin/, and the player's files go into that bin/. An installed game (a
// distribution's package under /usr) has its executable in one place, its data in a folder nobody but root can
// write, and the player's files in the player's own data folder, $XDG_DATA_HOME/morvik (~/.local/share/morvik).
// The layout follows from where the executable and its data are, once, at start-up: never from whether a save
// happens to fail.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

struct TGameFolders {
  // Holds gfx/, sfx/ and bin/ with the shipped files; start-up makes it the working directory.
  std::filesystem::path data;
  // Holds settings.dat and progress.dat.
  std::filesystem::path saves;
  // The saves folder is the player's own, made on the first save; a portable folder's bin/ is part of the game.
  bool installed = false;
};

// The layout of a game whose executable is at executable: portable when its folder holds the data (a gfx/
// folder); otherwise installed when installedData, relative to the executable's folder, is a folder; otherwise
// portable, so that what is missing is reported as missing from beside the executable. xdgDataHome and home are
// the environment's values (null when unset).
TGameFolders ChooseGameFolders(const std::filesystem::path& executable, std::string_view installedData,
                               const char* xdgDataHome, const char* home);

// The player's data folder by the XDG rules: $XDG_DATA_HOME when it is an absolute path, otherwise
// $HOME/.local/share, with the home folder from the user database when $HOME is no absolute path either. Empty
// when there is no home at all.
std::filesystem::path PlayerDataFolder(const char* xdgDataHome, const char* home);

// Finds the executable, chooses the layout for it and makes the data folder the working directory. False, with
// the reason in *error, when that fails.
bool EnterGameFolder(std::string* error);

// The layout in use; until start-up chooses one, a portable folder that is the working directory (as in tests).
const TGameFolders& GameFolders();
void UseGameFolders(const TGameFolders& folders);

// The path of one of the player's files (name like "settings.dat"), as the game's streams take it: "bin/name" in
// a portable folder, an absolute path in the player's data folder when installed.
std::u16string SavePath(std::u16string_view name);

// Makes the player's data folder when the game is installed and it does not exist yet (its new folders readable
// by the player alone, as XDG asks); a portable folder's bin/ is never made. False, with the reason in *error,
// when it cannot be made.
bool MakeSaveFolder(std::string* error);

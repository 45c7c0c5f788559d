// The game's small text data files.
#pragma once

#include <string>

// bin/keyboard.dat: "code<TAB>caption" for every key code the keyboard layer can report.
std::string KeyCaptionsFile();

// bin/tournament.dat: ten opponents, one line of ten tab-separated integers each.
std::string RosterFile();

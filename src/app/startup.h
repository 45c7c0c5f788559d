// The start-up sequence: the media layer, every global at its initial value, the default bindings, all data and
// saved settings, and then the frame loop.
#pragma once

#include "app/command_line.h"

// Runs the game from start-up to its end, doing first what the command line asks; returns the process's exit
// status.
int RunGame(const TCommandLine& line = {});

// Every floor's state back to how start-up finds it: the shared state, the controls, the fighters and the menu.
// Start-up begins with it, and tests run between two of them.
void ResetGame();

// Loads the game's data from the game folder (the working directory) as start-up does, after ResetGame: the fonts,
// the default bindings and key captions, the sprite sheet, the menu pictures with the saved settings and progress,
// the roster, the audio driver with the sound effects, and the ring backgrounds. Raises TRuntimeError when
// required data is missing. The game, its tests and the measuring tools all load the game this one way.
void LoadGameData();

// Everything of start-up between the media layer and the frame loop: the game's data, then the window's title and
// the frame timer. Raises TRuntimeError when required data is missing or the timer cannot start.
void StartUp();

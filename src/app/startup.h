// The start-up sequence: the media layer, every global at its initial value, the default bindings, all data and
// saved settings, and then the frame loop.
#pragma once

// Runs the game from start-up to its end; returns the process's exit status.
int RunGame();

// Every floor's state back to how start-up finds it: the shared state, the controls, the fighters and the menu.
// Start-up begins with it, and tests run between two of them.
void ResetGame();

// Everything of start-up between the media layer and the frame loop: the globals, the default bindings, the data
// files, the saved settings and the sounds. Raises TRuntimeError when required data is missing.
void StartUp();

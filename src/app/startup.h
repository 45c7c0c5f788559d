// The start-up sequence: the media layer, every global at its initial value, the default bindings, all data and
// saved settings, and then the frame loop.
#pragma once

// Runs the game from start-up to its end; returns the process's exit status.
int RunGame();

// Everything of start-up between the media layer and the frame loop: the globals, the default bindings, the data
// files, the saved settings and the sounds. Raises TRuntimeError when required data is missing.
void StartUp();

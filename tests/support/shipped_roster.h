// The roster the game ships (data/bin/tournament.dat), read by the game's own reader, for the tests whose
// figures are about the delivered levels.
#pragma once

// Loads the shipped roster into Opponents, reading it from the data folder as the game reads it from its own;
// the working directory is given back however the reading ends. A roster that cannot be read fails the test.
void LoadShippedRoster();

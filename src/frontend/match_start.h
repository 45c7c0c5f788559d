// Starting matches from the menu: the match globals set up, both fighters made and paired, the menu sliding away
// with input locked until the countdown begins.
#pragma once

#include <cstdint>

// A training match against the sparring partner, who adapts after every round; both fighters have 200 health.
void StartTrainingMatch();
// A tournament match against the roster's opponent of level (0..9); both fighters get its health. Does nothing
// for a level the roster does not have.
void StartTournamentMatch(int32_t level);
// A match of two (VERSUS_PLAYERS: the sides' devices, SideDevices, were given) or of the computer against itself
// (VERSUS_DEMO), in the ring of level ring; the match loop makes its fight once the menu has gone.
void StartVersusMatch(int32_t versus, int32_t ring);

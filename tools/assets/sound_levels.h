// The levels the sound effects are mastered to, in one place for the generator and for the tests that check the
// delivered files against them.
//
// Loudness is in dB of full scale, the RMS of the loudest 50 ms; peaks are a fraction of full scale. The fight
// sounds rise in weight from the miss to the hard hit both ways, by loudness and by peak, and the menu's two
// sounds sit at least 3 dB below the hard hit's peak: a player clicking through the menus should never hear
// anything louder than a hard punch. The ring's calls (knocks, bell, results) sit between the two.
#pragma once

// No effect peaks above this: any two together stay below full scale, as the game mixes them by addition.
constexpr double PEAK_CEILING = 0.45;

// The menu's sounds stay at least this far below the quietest hard hit's peak.
constexpr double MENU_BELOW_HARD_HIT_DB = 3.0;

constexpr double CONFIRM_DB = -21.5, CURSOR_DB = -25.5, CLICK_DB = -24;
constexpr double KNOCKS_DB = -17, BELL_DB = -17, RESULT_DB = -16.5;
// Woosh, block, weak, medium, hard. Their shapes differ in how spiky they are (a swish of air is all spikes, a
// thud hardly any), so the lighter kinds sit further below the hard hit in loudness than they would need to by
// ear alone: that is what keeps their peaks in the same order.
constexpr double FIGHT_DB[5] = {-24.5, -22, -20.5, -15.3, -12.5};

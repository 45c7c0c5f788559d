// What a match of two shows of its fight, whoever steps it: two players here, the computer's demonstration, an
// online session or a replay: the fighters, the bars with the sides' names, the messages of its phases, and the
// sounds of its events.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

class TFight;
struct TFightEvent;

// The fighters, the bars and score, and each side's name under its bars; a caption between them when given.
void DrawFightView(const TFight& fight, std::u16string_view leftName, std::u16string_view rightName,
                   std::u16string_view caption = {});
// "Round n", the count and "FIGHT!", and after a knockout the prompt (when given) to go on. Nothing once the
// match is over: see DrawFightResult.
void DrawFightMessages(const TFight& fight, std::u16string_view goOnPrompt);
// "Player 2 wins 3:0".
void DrawFightResult(const TFight& fight);
// Plays the sounds of a tick's events. A fighter's sound takes the variant the match gives it, not a random one:
// the same match sounds the same, played here or from its replay.
void PlayFightEvents(std::span<const TFightEvent> events);

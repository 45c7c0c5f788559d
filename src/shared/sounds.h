// The game's sounds: choosing the audio driver, loading the effects, and playing them while sound is on.
#pragma once

#include <cstdint>
#include <memory>

class TChannel;

// Plays numbered effect index on a new channel, when sound is on.
int32_t PlaySfx(int32_t index);

// Plays one of the four variants of a fight sound kind, chosen at random, at volume 0..1, when sound is on. The
// random draw shares the generator with the computer opponent, so sound on or off changes its later choices.
int32_t PlayFightSound(int32_t kind, float volume);

// Plays the given variant (0..3, taken modulo 4) of a fight sound kind, drawing nothing at random: a match of two
// players chooses its variants from the match itself, so both machines of a match over the network hear the same.
int32_t PlayFightSoundVariant(int32_t kind, int32_t variant, float volume);
// The same, giving the channel it plays on (null when nothing plays), so that a sound an online match's corrected
// fight does not have can be stopped.
std::shared_ptr<TChannel> StartFightSound(int32_t kind, int32_t variant, float volume);

// Chooses the first audio driver present of "SoftMix DirectSound", "SoftMix Multimedia", "SoftMix" and "Null",
// then loads every effect, whether or not sound is on: SelectGameAudioDriver, then LoadSoundEffects.
int32_t SetupAudio();
int32_t SelectGameAudioDriver();
// Loads every effect through the current driver. It only decodes files and makes sounds of them, so start-up may
// run it on a thread of its own while nothing reads the effects yet.
int32_t LoadSoundEffects();

// The game's sounds.
#include "shared/sounds.h"

#include <string>

#include "media/audio/audio.h"
#include "media/core/random.h"
#include "media/core/text.h"
#include "media/platform/media.h"
#include "shared/game_state.h"

namespace {

// An effect that does not load is not heard; the game goes on without it.
std::shared_ptr<TSound> LoadEffect(const std::u16string& path) {
  std::shared_ptr<TSound> sound = LoadSound(path, 0);
  if (sound == nullptr) {
    ReportWarning("cannot load the sound \"" + TextToBytes(path) + "\"");
  }
  return sound;
}

const char16_t* const kFightSoundNames[FIGHT_SOUND_KINDS] = {u"woosh", u"block", u"punchw", u"punchm", u"punchh"};

}  // namespace

int32_t PlaySfx(int32_t index) {
  if (SoundOn != 0 && Sfx[static_cast<size_t>(index)] != nullptr) {
    Sfx[static_cast<size_t>(index)]->Play();
  }
  return 0;
}

int32_t PlayFightSoundVariant(int32_t kind, int32_t variant, float volume) {
  StartFightSound(kind, variant, volume);
  return 0;
}

std::shared_ptr<TChannel> StartFightSound(int32_t kind, int32_t variant, float volume) {
  if (SoundOn == 0 || kind < 0 || kind >= FIGHT_SOUND_KINDS || variant < 0) {
    return nullptr;
  }
  const std::shared_ptr<TSound>& sound =
      FightSounds[static_cast<size_t>(kind)][static_cast<size_t>(variant % FIGHT_SOUND_VARIANTS)];
  if (sound == nullptr) {
    return nullptr;
  }
  std::shared_ptr<TChannel> channel = AllocChannel();
  channel->SetVolume(volume);
  sound->Play(channel);
  return channel;
}

int32_t PlayFightSound(int32_t kind, float volume) {
  if (SoundOn == 0) {
    return 0;
  }
  std::shared_ptr<TChannel> channel = AllocChannel();
  channel->SetVolume(volume);
  int32_t variant = RandomInt(0, FIGHT_SOUND_VARIANTS - 1);
  // A sound that failed to load is simply not heard; the random draw above still happens, so the opponent's
  // choices do not depend on which files loaded.
  const std::shared_ptr<TSound>& sound = FightSounds[static_cast<size_t>(kind)][static_cast<size_t>(variant)];
  if (sound != nullptr) {
    sound->Play(channel);
  }
  return 0;
}

int32_t SetupAudio() {
  SelectGameAudioDriver();
  return LoadSoundEffects();
}

int32_t SelectGameAudioDriver() {
  for (const char16_t* name : {u"SoftMix DirectSound", u"SoftMix Multimedia", u"SoftMix", u"Null"}) {
    if (HasAudioDriver(name) != 0) {
      SelectAudioDriver(name);
      break;
    }
  }
  return 0;
}

int32_t LoadSoundEffects() {
  // The order interleaves the numbered effects with the fight sounds: sfx0, woosh0 .. punchh0, sfx1, ...
  for (int32_t i = 0; i < SFX_COUNT; i++) {
    Sfx[static_cast<size_t>(i)] = LoadEffect(u"sfx/sfx" + IntToText(i) + u".ogg");
    if (i >= FIGHT_SOUND_VARIANTS) {
      continue;
    }
    for (int32_t kind = 0; kind < FIGHT_SOUND_KINDS; kind++) {
      FightSounds[static_cast<size_t>(kind)][static_cast<size_t>(i)] =
          LoadEffect(u"sfx/" + std::u16string(kFightSoundNames[kind]) + IntToText(i) + u".ogg");
    }
  }
  return 0;
}

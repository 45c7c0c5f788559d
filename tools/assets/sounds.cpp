// Designing the sounds. Fight sounds rise in weight with the kind: a miss is a thin swish of air, a blocked punch
// a padded knock, then slaps and thumps that grow deeper, longer and louder up to the hard hit's heavy thud. The
// four variants of a kind differ in pitch, length and grain so that repeated punches do not sound alike. None
// lasts more than 0.4 s: the game plays many in quick succession.
#include "sounds.h"

#include <cmath>
#include <stdexcept>

#include "mastering.h"
#include "sound_levels.h"

namespace {

constexpr double FIGHT_LIMIT = 0.4;  // seconds

uint32_t Seed(int kind, int variant) {
  return 0x9E3779B9u * static_cast<uint32_t>(kind * 8 + variant + 1);
}

// A punch through the air: noise through a band-pass that sweeps up and back down.
Buffer Woosh(int v) {
  double length = 0.16 + 0.04 * v;
  Buffer b = Noise(length, Seed(0, v));
  double low = 500 - 60 * v, high = 2600 - 380 * v;
  Buffer rise(b.begin(), b.begin() + static_cast<long>(b.size() * 0.45));
  Buffer fall(b.begin() + static_cast<long>(b.size() * 0.45), b.end());
  BandPass(rise, low, high, 1.6);
  BandPass(fall, high, low * 1.4, 1.6);
  rise.insert(rise.end(), fall.begin(), fall.end());
  Hump(rise, 1.5 + 0.3 * v);
  FadeEnds(rise, 2, 15);
  return rise;
}

// A punch caught on the gloves: a short padded knock of leather on leather.
Buffer Block(int v) {
  double length = 0.14 + 0.02 * v;
  Buffer knock = Noise(length, Seed(1, v));
  BandPass(knock, 900 - 90 * v, 500 - 50 * v, 1.2);
  Envelope(knock, 0.002, 0.025 + 0.004 * v);
  Buffer body = Thump(length, 260 - 25 * v, 150 - 12 * v, 0.03);
  MixInto(knock, body, 0, 0.7);
  FadeEnds(knock, 1, 20);
  return knock;
}

// A landed punch: a slap of bright noise over a thump whose depth and length grow with weight (0 weak, 1
// medium, 2 hard).
Buffer Punch(int weight, int v) {
  double length = std::min(FIGHT_LIMIT, 0.16 + 0.09 * weight + 0.015 * v);
  Buffer slap = Noise(length, Seed(2 + weight, v));
  HighPass(slap, 1400 - 350 * weight - 60 * v);
  LowPass(slap, 7000 - 1800 * weight, 2500);
  Envelope(slap, 0.001, 0.012 + 0.008 * weight + 0.002 * v);
  Buffer thump = Thump(length, 170 - 30 * weight - 8 * v, 70 - 15 * weight - 3 * v, 0.04 + 0.035 * weight);
  Buffer crunch = Noise(length, Seed(5 + weight, v));
  LowPass(crunch, 900, 200);
  Envelope(crunch, 0.002, 0.03 + 0.02 * weight);
  Buffer hit = slap;
  MixInto(hit, thump, 0, 0.8 + 0.5 * weight);
  MixInto(hit, crunch, 0, 0.6 * weight);
  // Saturated from a known level, so heavier blows are rounder but keep their attack: a harder drive flattens
  // them into a square wave, loud for its peak and harsh.
  Normalise(hit, 1.0);
  Saturate(hit, 1.2 + 0.4 * weight);
  LowPass(hit, 9000 - 2500 * weight, 3000 - 900 * weight);  // heavier blows are duller, less slap more body
  FadeEnds(hit, 1, 25);
  return hit;
}

// 0: a menu choice confirmed, two quick rising notes.
Buffer Confirm() {
  Buffer b = Silence(0.2);
  Buffer a = Thump(0.08, 880, 880, 0.05), c = Thump(0.12, 1320, 1320, 0.06);
  MixInto(b, a, 0);
  MixInto(b, c, 0.06);
  LowPass(b, 5000, 5000);
  FadeEnds(b, 2, 20);
  return b;
}

// 1: the cursor moves: a soft short tick.
Buffer Cursor() {
  Buffer b = Thump(0.05, 1400, 1100, 0.012);
  FadeEnds(b, 1, 10);
  return b;
}

// 2: a short neutral click.
Buffer Click() {
  Buffer b = Noise(0.03, 777);
  BandPass(b, 2500, 2500, 2);
  Envelope(b, 0.0005, 0.004);
  FadeEnds(b, 0.5, 8);
  return b;
}

// 3: the countdown begins: the timekeeper knocks twice on the table.
Buffer Knocks() {
  Buffer b = Silence(0.5);
  for (int i = 0; i < 2; i++) {
    Buffer knock = Noise(0.15, 31 + i);
    BandPass(knock, 720, 640, 8);
    Envelope(knock, 0.001, 0.03);
    Buffer body = Thump(0.15, 240, 200, 0.04);
    MixInto(knock, body, 0, 0.3);
    MixInto(b, knock, 0.02 + 0.2 * i);
  }
  FadeEnds(b, 1, 30);
  return b;
}

// 4: the fight begins: one clear strike of the ring bell.
Buffer BellOnce() {
  Buffer b = Bell(1.6, 1050, 0.9);
  FadeEnds(b, 1, 60);
  return b;
}

// 5: the round is over: the bell struck three times in quick succession.
Buffer BellThrice() {
  Buffer b = Silence(1.9);
  for (int i = 0; i < 3; i++) {
    MixInto(b, Bell(1.3, 1050, 0.7), 0.22 * i, 1.0);
  }
  b.resize(static_cast<std::size_t>(1.9 * RATE));
  FadeEnds(b, 1, 80);
  return b;
}

// 6: a tournament match lost: three falling brass notes, the last one sagging.
Buffer Lost() {
  Buffer b = Silence(1.9);
  const double notes[] = {392.0, 370.0, 349.2};
  for (int i = 0; i < 2; i++) {
    MixInto(b, Brass(0.34, notes[i], 0.04, 0.08), 0.38 * i);
  }
  MixInto(b, Brass(1.1, notes[2], 0.04, 0.3, 329.6), 0.76);  // the last note sags a semitone
  LowPass(b, 3000, 1200);
  FadeEnds(b, 2, 120);
  return b;
}

// 7: a tournament match won: a short rising fanfare ending on a held major chord.
Buffer Won() {
  Buffer b = Silence(1.9);
  const double run[] = {523.3, 659.3, 784.0};
  for (int i = 0; i < 3; i++) {
    MixInto(b, Brass(0.13, run[i], 0.02, 0.03), 0.12 * i);
  }
  for (double hz : {523.3, 659.3, 784.0, 1046.5}) {
    MixInto(b, Brass(1.3, hz, 0.03, 0.35), 0.38, 0.7);
  }
  LowPass(b, 6000, 2500);
  FadeEnds(b, 2, 120);
  return b;
}

}  // namespace

std::vector<SoundEffect> MakeSounds() {
  std::vector<SoundEffect> sounds = {
      {"sfx0", Confirm(), CONFIRM_DB},  {"sfx1", Cursor(), CURSOR_DB},         {"sfx2", Click(), CLICK_DB},
      {"sfx3", Knocks(), KNOCKS_DB},    {"sfx4", BellOnce(), BELL_DB},         {"sfx5", BellThrice(), BELL_DB},
      {"sfx6", Lost(), RESULT_DB},      {"sfx7", Won(), RESULT_DB},
  };
  for (int v = 0; v < 4; v++) {
    sounds.push_back({"woosh" + std::to_string(v), Woosh(v), FIGHT_DB[0]});
    sounds.push_back({"block" + std::to_string(v), Block(v), FIGHT_DB[1]});
    sounds.push_back({"punchw" + std::to_string(v), Punch(0, v), FIGHT_DB[2]});
    sounds.push_back({"punchm" + std::to_string(v), Punch(1, v), FIGHT_DB[3]});
    sounds.push_back({"punchh" + std::to_string(v), Punch(2, v), FIGHT_DB[4]});
  }
  for (SoundEffect& sound : sounds) {
    LevelTo(sound.samples, sound.loudness);
    // A sound too spiky for its loudness needs a gentler shape, not a limiter that would flatten its attack.
    if (Peak(sound.samples) > PEAK_CEILING) {
      throw std::runtime_error(sound.name + " peaks above the ceiling at its loudness");
    }
  }
  return sounds;
}

#include "support/replay.h"

#include <cstdio>
#include <sstream>

#include "app/game.h"
#include "fighters/figure.h"
#include "media/core/clock.h"
#include "media/core/events.h"
#include "media/core/random.h"
#include "shared/game_state.h"

namespace {

constexpr int32_t kStartClock = 500000;

void Send(const TRecordedKey& key) {
  EmitEvent(TEvent{key.down ? EVENT_KEYDOWN : EVENT_KEYUP, nullptr, key.key, 0, 0, 0});
}

// FNV-1a over the state of one frame, folded into the running checksum.
uint32_t Fold(uint32_t checksum, std::initializer_list<int32_t> values) {
  for (int32_t value : values) {
    for (int byte = 0; byte < 4; byte++) {
      checksum = (checksum ^ ((static_cast<uint32_t>(value) >> (8 * byte)) & 0xFFu)) * 16777619u;
    }
  }
  return checksum;
}

// Runs the frames, asking the script for keys when given one, and summarises every frame.
std::string Run(TRecording& recording, int32_t frames, TKeyScript script, void* context,
                std::vector<std::string>* lines) {
  TManualClock clock(kStartClock);
  SetClockSource(&clock);
  SeedRandom(recording.seed);
  uint32_t checksum = 2166136261u;
  std::ostringstream summary;
  for (int32_t frame = 0; frame < frames; frame++) {
    if (script != nullptr) {
      TRecordedFrame recorded;
      // 20 ms, one frame in thirteen a millisecond late and the next a millisecond early.
      recorded.clock = kStartClock + 20 * frame + (frame % 13 == 12 ? 1 : 0);
      recorded.keys = script(frame, context);
      recording.frames.push_back(recorded);
    }
    const TRecordedFrame& recorded = recording.frames[static_cast<size_t>(frame)];
    clock.Set(recorded.clock);
    for (const TRecordedKey& key : recorded.keys) {
      Send(key);
    }
    Game::Frame();
    int32_t fighters = Fighters[0] != nullptr ? 1 : 0;
    const TFigure* a = fighters != 0 ? Fighters[0].get() : nullptr;
    const TFigure* b = fighters != 0 ? Fighters[1].get() : nullptr;
    checksum = Fold(checksum, {frame, GameState, RoundsWon[0], RoundsWon[1], Round, RandomState()});
    if (a == nullptr) {
      continue;
    }
    checksum = Fold(checksum, {a->health, a->action, a->x, a->power[0], a->power[1], a->height, b->health, b->action,
                               b->x, b->power[0], b->power[1], b->height});
    if (GameState == GAMESTATE_FIGHT || GameState == GAMESTATE_ROUND_OVER) {
      char line[160];
      std::snprintf(line, sizeof line, "%d %d %d:%d %d/%d %d/%d %d/%d %08x", frame, GameState, RoundsWon[0],
                    RoundsWon[1], a->health, b->health, a->action, b->action, a->x, b->x, checksum);
      summary << line << '\n';
      if (lines != nullptr) {
        lines->push_back(line);
      }
    }
  }
  char last[64];
  std::snprintf(last, sizeof last, "end %d frames c%08x", frames, checksum);
  summary << last << '\n';
  if (lines != nullptr) {
    lines->push_back(last);
  }
  SetClockSource(nullptr);
  return summary.str();
}

}  // namespace

std::string TRecording::ToText() const {
  std::ostringstream text;
  text << "seed " << seed << '\n';
  for (const TRecordedFrame& frame : frames) {
    text << frame.clock;
    for (const TRecordedKey& key : frame.keys) {
      text << ' ' << (key.down ? '+' : '-') << key.key;
    }
    text << '\n';
  }
  return text.str();
}

TRecording TRecording::FromText(const std::string& text) {
  TRecording recording;
  std::istringstream in(text);
  std::string word;
  in >> word >> recording.seed;
  std::string line;
  std::getline(in, line);
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    TRecordedFrame frame;
    fields >> frame.clock;
    while (fields >> word) {
      frame.keys.push_back({word[0] == '+', std::stoi(word.substr(1))});
    }
    recording.frames.push_back(frame);
  }
  return recording;
}

std::string ReplaySummary(const TRecording& recording, std::vector<std::string>* lines) {
  TRecording copy = recording;
  return Run(copy, static_cast<int32_t>(copy.frames.size()), nullptr, nullptr, lines);
}

TRecording RecordSession(int32_t seed, int32_t frames, TKeyScript script, void* context) {
  TRecording recording;
  recording.seed = seed;
  Run(recording, frames, script, context, nullptr);
  return recording;
}

// The frame log's records, kept in memory while the game runs and written out once at the end. Everything but the
// start-up steps (the game thread and start-up's loading thread, under a lock), the sound starts (the audio
// thread) and the timer's start (the timer's thread, once, before its first tick) is recorded on the game thread. Times
// are CLOCK_MONOTONIC nanoseconds, the clock a measuring script reads too.
#ifdef MORVIK_FRAME_LOG

#include "media/measure/frame_log.h"

#include <time.h>

#include <array>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <vector>

namespace {

constexpr double kOutputHertz = 44100.0;  // the mixer's output rate
constexpr size_t kSoundStarts = 16384;

int64_t Now() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

struct TStep {
  const char* name;
  int64_t time;
};

struct TFrame {
  int32_t state;
  int64_t start;
  int64_t present = 0;
  int32_t ticksAfter = 0;  // ticks the wait after this frame took
};

struct TKey {
  int32_t key;
  bool down;
  int64_t time;
  int64_t frames;  // frames started before it was taken
};

struct TPresses {
  int32_t key;
  int32_t presses;
  int64_t frame;
  int64_t time;
};

struct TSound {
  const void* voice;
  int64_t time;
  int64_t frame;  // the frame asking for it, -1 outside the frame loop (start-up)
};

struct TLog {
  TLog() {
    // Enough for an hour of frames and a busy fight's keys and sounds, so recording rarely allocates.
    frames.reserve(200000);
    keys.reserve(20000);
    presses.reserve(20000);
    requests.reserve(20000);
  }
  std::mutex stepsMutex;
  std::vector<TStep> steps;
  std::vector<TFrame> frames;
  std::vector<TKey> keys;
  std::vector<TPresses> presses;
  std::vector<TSound> requests;
  bool inFrame = false;
};

TLog& Log() {
  static TLog log;
  return log;
}

std::atomic<int64_t> timerStart{0};
int64_t firstFrameCpu = 0;  // the CPU time of every thread of the game when its first frame was presented

int64_t ProcessCpuTime() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}
std::array<TSound, kSoundStarts> soundStarts;
std::atomic<size_t> soundStartCount{0};

int64_t CurrentFrame() {
  TLog& log = Log();
  return log.inFrame ? static_cast<int64_t>(log.frames.size()) - 1 : -1;
}

}  // namespace

void FrameLogStep(const char* step) {
  TLog& log = Log();
  std::lock_guard<std::mutex> lock(log.stepsMutex);
  log.steps.push_back(TStep{step, Now()});
}

void FrameLogFrameStarted(int32_t gameState) {
  TLog& log = Log();
  log.frames.push_back(TFrame{gameState, Now()});
  log.inFrame = true;
}

void FrameLogFramePresented() {
  TLog& log = Log();
  if (!log.frames.empty()) {
    log.frames.back().present = Now();
  }
  if (log.frames.size() == 1) {
    firstFrameCpu = ProcessCpuTime();
  }
  log.inFrame = false;
}

void FrameLogTicksWaited(int32_t ticks) {
  TLog& log = Log();
  if (!log.frames.empty()) {
    log.frames.back().ticksAfter = ticks;
  }
}

void FrameLogTimerStarted() {
  timerStart.store(Now(), std::memory_order_relaxed);
}

void FrameLogKeyEvent(int32_t key, bool down, bool repeat) {
  if (repeat) {
    return;
  }
  TLog& log = Log();
  log.keys.push_back(TKey{key, down, Now(), static_cast<int64_t>(log.frames.size())});
}

void FrameLogKeyPresses(int32_t key, int32_t presses) {
  Log().presses.push_back(TPresses{key, presses, CurrentFrame(), Now()});
}

void FrameLogSoundRequested(const void* voice) {
  Log().requests.push_back(TSound{voice, Now(), CurrentFrame()});
}

void FrameLogSoundStarted(const void* voice, int32_t frame) {
  // One writer (the audio thread); read only after the audio device has been closed.
  size_t index = soundStartCount.load(std::memory_order_relaxed);
  if (index < kSoundStarts) {
    auto offset = static_cast<int64_t>(frame * 1e9 / kOutputHertz);
    soundStarts[index] = TSound{voice, Now() + offset, -1};
    soundStartCount.store(index + 1, std::memory_order_release);
  }
}

void FrameLogWrite() {
  const char* path = std::getenv("MORVIK_FRAME_LOG_FILE");
  if (path == nullptr || *path == '\0') {
    return;
  }
  FILE* file = std::fopen(path, "w");
  if (file == nullptr) {
    std::fprintf(stderr, "morvik: cannot write the frame log \"%s\"\n", path);
    return;
  }
  TLog& log = Log();
  std::fprintf(file, "# Morvik frame log; times in nanoseconds of CLOCK_MONOTONIC\n");
  for (const TStep& step : log.steps) {
    std::fprintf(file, "step %s %lld\n", step.name, static_cast<long long>(step.time));
  }
  std::fprintf(file, "timer %lld\n", static_cast<long long>(timerStart.load()));
  std::fprintf(file, "cpu_first_frame %lld\n", static_cast<long long>(firstFrameCpu));
  for (size_t i = 0; i < log.frames.size(); i++) {
    const TFrame& f = log.frames[i];
    std::fprintf(file, "frame %zu %d %lld %lld %d\n", i, f.state, static_cast<long long>(f.start),
                 static_cast<long long>(f.present), f.ticksAfter);
  }
  for (const TKey& k : log.keys) {
    std::fprintf(file, "key %d %d %lld %lld\n", k.key, k.down ? 1 : 0, static_cast<long long>(k.time),
                 static_cast<long long>(k.frames));
  }
  for (const TPresses& p : log.presses) {
    std::fprintf(file, "presses %d %d %lld %lld\n", p.key, p.presses, static_cast<long long>(p.frame),
                 static_cast<long long>(p.time));
  }
  for (const TSound& s : log.requests) {
    std::fprintf(file, "request %p %lld %lld\n", s.voice, static_cast<long long>(s.time),
                 static_cast<long long>(s.frame));
  }
  size_t starts = soundStartCount.load(std::memory_order_acquire);
  for (size_t i = 0; i < starts; i++) {
    std::fprintf(file, "start %p %lld\n", soundStarts[i].voice, static_cast<long long>(soundStarts[i].time));
  }
  std::fclose(file);
}

#endif

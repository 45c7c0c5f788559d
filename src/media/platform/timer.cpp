// Periodic timers: one thread per timer that sleeps to absolute deadlines and posts a message per tick.
#include "media/platform/timer.h"

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

#include "media/measure/frame_log.h"
#include "media/platform/platform_messages.h"
#include "media/platform/system.h"

namespace {

using Clock = std::chrono::steady_clock;

// The platform side of a timer. The thread only counts ticks into `fired` and posts one message while earlier
// ones are still untaken, so a game thread that stalls never floods its queue.
struct TTimerSlot {
  TTimer* owner = nullptr;  // game thread only
  uint32_t generation = 0;
  std::thread thread;
  std::mutex mutex;
  std::condition_variable wake;
  bool stopping = false;
  std::atomic<int32_t> fired{0};
  std::atomic<bool> posted{false};

  ~TTimerSlot() { Halt(); }

  void Halt() {
    {
      std::lock_guard<std::mutex> lock(mutex);
      stopping = true;
    }
    wake.notify_all();
    if (thread.joinable()) {
      thread.join();
    }
  }
};

std::array<TTimerSlot, TTimer::MAX_TIMERS> slots;
uint32_t timerMessageType = 0;

int32_t SlotIndex(int32_t handle) {
  return handle & (TTimer::MAX_TIMERS - 1);
}

int32_t MakeHandle(int32_t index, uint32_t generation) {
  return static_cast<int32_t>((generation << 4) | static_cast<uint32_t>(index));
}

void Post(TTimerSlot& slot, int32_t handle) {
  slot.fired.fetch_add(1);
  if (!slot.posted.exchange(true)) {
    SDL_Event message{};
    message.type = timerMessageType;
    message.user.code = handle;
    if (SDL_PushEvent(&message) <= 0) {
      slot.posted = false;  // the queue is full: the next tick tries again and carries this one along
    }
  }
}

void RunTimer(TTimerSlot& slot, int32_t handle, Clock::duration period) {
  Clock::time_point deadline = Clock::now() + period;
  FrameLogTimerStarted();
  std::unique_lock<std::mutex> lock(slot.mutex);
  while (!slot.wake.wait_until(lock, deadline, [&slot] { return slot.stopping; })) {
    Post(slot, handle);
    deadline += period;
    // After the machine slept, start afresh instead of posting every tick of the gap.
    if (Clock::now() - deadline > std::chrono::seconds(1)) {
      deadline = Clock::now() + period;
    }
  }
}

}  // namespace

uint32_t TimerMessageType() {
  return timerMessageType;
}

void RegisterTimerMessageType() {
  if (timerMessageType == 0) {
    Uint32 type = SDL_RegisterEvents(1);
    timerMessageType = type == static_cast<Uint32>(-1) ? 0 : type;
  }
}

void HandleTimerMessage(int32_t handle) {
  TTimerSlot& slot = slots[static_cast<size_t>(SlotIndex(handle))];
  if (slot.owner == nullptr || slot.owner->_handle != handle) {
    return;  // a message of a timer stopped since
  }
  slot.posted = false;
  int32_t ticks = slot.fired.exchange(0);
  for (int32_t i = 0; i < ticks && slot.owner != nullptr; i++) {
    slot.owner->_Tick();
  }
}

std::shared_ptr<TTimer> TTimer::Create(float hz, std::shared_ptr<TEvent> event) {
  double periodMillis = 1000.0 / static_cast<double>(hz);
  if (!(periodMillis >= 1.0 && periodMillis < 2147483647.0) || timerMessageType == 0) {
    return nullptr;
  }
  for (int32_t index = 0; index < MAX_TIMERS; index++) {
    TTimerSlot& slot = slots[static_cast<size_t>(index)];
    if (slot.owner != nullptr) {
      continue;
    }
    if (slot.thread.joinable()) {
      slot.thread.join();
    }
    auto timer = std::make_shared<TTimer>();
    slot.generation++;
    timer->_handle = MakeHandle(index, slot.generation);
    timer->_event = std::move(event);
    slot.stopping = false;
    slot.fired = 0;
    slot.posted = false;
    auto period = std::chrono::milliseconds(static_cast<int64_t>(periodMillis));
    try {
      slot.thread = std::thread(RunTimer, std::ref(slot), timer->_handle, period);
    } catch (const std::system_error&) {
      return nullptr;
    }
    slot.owner = timer.get();
    timer->_cycle = timer;
    return timer;
  }
  return nullptr;
}

TTimer::~TTimer() {
  Stop();
}

int32_t TTimer::Ticks() {
  return _ticks;
}

int32_t TTimer::Pending() const {
  return _handle == 0 ? 0 : slots[static_cast<size_t>(SlotIndex(_handle))].fired.load();
}

int32_t TTimer::Wait() {
  while (_handle != 0) {
    WaitSystem();
    PollSystem();
    if (_ticks != _wticks) {
      int32_t count = _ticks - _wticks;
      _wticks = _ticks;
      return count;
    }
  }
  return 0;
}

int32_t TTimer::Stop() {
  if (_handle == 0) {
    return 0;
  }
  TTimerSlot& slot = slots[static_cast<size_t>(SlotIndex(_handle))];
  slot.Halt();
  slot.owner = nullptr;
  _handle = 0;
  // Last: this may release the timer itself.
  std::shared_ptr<TTimer> self = std::move(_cycle);
  return 0;
}

void TTimer::_Tick() {
  _ticks++;
  if (_event != nullptr) {
    EmitEvent(*_event);
  } else {
    TEvent tick;
    tick.id = EVENT_TIMERTICK;
    tick.source = this;
    tick.data = _ticks;
    EmitEvent(tick);
  }
}

void StopAllTimers() {
  for (TTimerSlot& slot : slots) {
    if (slot.owner != nullptr) {
      slot.owner->Stop();
    }
  }
}

// The polled keyboard and window state.
#include "media/input/input.h"

#include <array>
#include <cstddef>

#include "media/core/events.h"
#include "media/measure/frame_log.h"

namespace {

constexpr int32_t kKeys = 256;
constexpr int32_t kCharQueue = 256;

struct TPolledInput {
  std::array<int32_t, kKeys> down{};
  std::array<int32_t, kKeys> hits{};
  std::array<int32_t, kCharQueue> chars{};
  uint32_t charRead = 0;  // indices only grow; the slot is the index modulo the queue size
  uint32_t charWrite = 0;
  uint32_t presses = 0;  // every key press ever sent, for KeyPressCount
  int32_t closeRequest = 0;
  int32_t suspended = 0;
  int32_t focusLost = 0;  // latched until taken: a loss between two frames is never missed
  int32_t fullScreenToggle = 0;
  int32_t enabled = 0;
  const void* source = nullptr;
};

TPolledInput input;

bool IsKeyCode(int32_t key) {
  return key >= 0 && key < kKeys;
}

void Clear() {
  input.down.fill(0);
  input.hits.fill(0);
  input.charRead = 0;
  input.charWrite = 0;
}

const TEvent* TakeEvent(const TEvent* event, void*) {
  if (input.source != nullptr && event->source != input.source) {
    return event;
  }
  switch (event->id) {
    case EVENT_KEYDOWN:
      if (IsKeyCode(event->data) && input.down[static_cast<size_t>(event->data)] == 0) {
        input.down[static_cast<size_t>(event->data)] = 1;
        input.hits[static_cast<size_t>(event->data)]++;
        input.presses++;
      }
      break;
    case EVENT_KEYUP:
      // The press count stays: a tap between two queries is never lost.
      if (IsKeyCode(event->data)) {
        input.down[static_cast<size_t>(event->data)] = 0;
      }
      break;
    case EVENT_KEYCHAR:
      if (input.charWrite - input.charRead < kCharQueue) {
        input.chars[input.charWrite % kCharQueue] = event->data;
        input.charWrite++;
      }
      break;
    case EVENT_APPTERMINATE:
      input.closeRequest = 1;
      break;
    case EVENT_APPSUSPEND:
      // Keys released while another program has the focus are never seen: forget them all.
      Clear();
      input.suspended = 1;
      input.focusLost = 1;
      break;
    case EVENT_APPRESUME:
      Clear();
      input.suspended = 0;
      break;
    case EVENT_TOGGLEFULLSCREEN:
      input.fullScreenToggle = 1;
      break;
    default:
      break;
  }
  return event;
}

// What an event latched since the last call, after taking pending messages; the latch is then cleared.
int32_t TakeLatch(int32_t& latch) {
  PumpEvents();
  int32_t value = latch;
  latch = 0;
  return value;
}

}  // namespace

void EnablePolledInput(const void* source) {
  input.source = source;
  Clear();
  if (input.enabled == 0) {
    AddEventHook(0, TakeEvent, nullptr);
    input.enabled = 1;
  }
}

void DisablePolledInput() {
  if (input.enabled != 0) {
    RemoveEventHook(TakeEvent, nullptr);
    input.enabled = 0;
  }
  Clear();
  input.closeRequest = 0;
  input.focusLost = 0;
  input.fullScreenToggle = 0;
}

uint32_t KeyPressCount() {
  return input.presses;
}

int32_t TakeKeyHits(int32_t key) {
  PumpEvents();
  if (!IsKeyCode(key)) {
    return 0;
  }
  int32_t hits = input.hits[static_cast<size_t>(key)];
  input.hits[static_cast<size_t>(key)] = 0;
  if (hits != 0) {
    FrameLogKeyPresses(key, hits);
  }
  return hits;
}

int32_t IsKeyDown(int32_t key) {
  PumpEvents();
  return IsKeyCode(key) ? input.down[static_cast<size_t>(key)] : 0;
}

void ClearKeys() {
  PumpEvents();
  Clear();
}

void DropKeyPresses() {
  PumpEvents();
  input.hits.fill(0);
}

int32_t TakeCloseRequest() {
  return TakeLatch(input.closeRequest);
}

int32_t TakeChar() {
  PumpEvents();
  if (input.charRead == input.charWrite) {
    return 0;
  }
  return input.chars[input.charRead++ % kCharQueue];
}

int32_t InputSuspended() {
  return input.suspended;
}

int32_t TakeFocusLoss() {
  return TakeLatch(input.focusLost);
}

int32_t TakeFullScreenToggle() {
  return TakeLatch(input.fullScreenToggle);
}

void RequestFullScreenToggle() {
  input.fullScreenToggle = 1;
}

// The event hook list.
#include "media/core/events.h"

#include <algorithm>
#include <vector>

namespace {

struct THook {
  int32_t priority;
  THookFunc func;
  void* context;
};

std::vector<THook>& Hooks() {
  static std::vector<THook> hooks;
  return hooks;
}

TEventPump eventPump = nullptr;

}  // namespace

void AddEventHook(int32_t priority, THookFunc func, void* context) {
  auto& hooks = Hooks();
  for (const THook& hook : hooks) {
    if (hook.func == func && hook.context == context) {
      return;
    }
  }
  auto after =
      std::find_if(hooks.begin(), hooks.end(), [priority](const THook& hook) { return hook.priority < priority; });
  hooks.insert(after, THook{priority, func, context});
}

void RemoveEventHook(THookFunc func, void* context) {
  auto& hooks = Hooks();
  std::erase_if(hooks, [&](const THook& hook) { return hook.func == func && hook.context == context; });
}

void EmitEvent(const TEvent& event) {
  const TEvent* current = &event;
  // Indexing, not iterators: a hook may add or remove hooks while it runs.
  auto& hooks = Hooks();
  for (size_t i = 0; i < hooks.size() && current != nullptr; i++) {
    current = hooks[i].func(current, hooks[i].context);
  }
}

void SetEventPump(TEventPump pump) {
  eventPump = pump;
}

void PumpEvents() {
  if (eventPump != nullptr) {
    eventPump();
  }
}

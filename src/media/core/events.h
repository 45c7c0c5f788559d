// Events of the media layer and the hook list they are emitted through.
//
// Window-system messages (keys, typed characters, the close box, focus changes) and timer ticks become events;
// each is handed to the hooks in descending priority. The polled keyboard state is one such hook. Tests emit the
// same events as the window does, so everything from the polled state up is exercised without a window.
#pragma once

#include <cstdint>

enum : int32_t {
  EVENT_APPSUSPEND = 257,        // the window lost activation to another program
  EVENT_APPRESUME = 258,         // ... and got it back
  EVENT_APPTERMINATE = 259,      // close request: the close box or Alt+F4
  EVENT_TOGGLEFULLSCREEN = 260,  // F11 or Alt+Enter: the window's own keys, never seen as key presses
  EVENT_KEYDOWN = 513,
  EVENT_KEYUP = 514,
  EVENT_KEYCHAR = 515,
  EVENT_KEYREPEAT = 516,
  EVENT_TIMERTICK = 2049,  // data: the timer's new tick count
};

struct TEvent {
  int32_t id = 0;
  const void* source = nullptr;  // the object that emitted it (a timer, a window), compared by identity only
  int32_t data = 0;              // key code, character code or tick count
  int32_t mods = 0;              // modifier mask: 1 Shift, 2 Control, 4 Alt, 8 the Windows key
  int32_t x = 0;
  int32_t y = 0;
};

// A hook receives what the previous hook returned and returns what the next one receives; returning null ends
// the chain for that event.
using THookFunc = const TEvent* (*)(const TEvent* event, void* context);

// Hooks run in descending priority; one added later runs after those of equal priority. The same function and
// context may be added once; adding it again does nothing.
void AddEventHook(int32_t priority, THookFunc func, void* context);
void RemoveEventHook(THookFunc func, void* context);

// Hands an event to every hook in turn.
void EmitEvent(const TEvent& event);

// The game thread's message pump: takes the window system's pending messages and emits them as events. The
// platform installs it when the media layer starts (null: none); until then pumping does nothing. Every polled
// query of the input state pumps first, so its answer is as fresh as can be.
using TEventPump = void (*)();
void SetEventPump(TEventPump pump);
void PumpEvents();

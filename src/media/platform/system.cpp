// The game thread's message queue, on SDL's event queue.
#include "media/platform/system.h"

#include "media/core/events.h"
#include "media/platform/platform_messages.h"

namespace {

TWindowMessageHandler windowHandler = nullptr;
bool polling = false;

void Dispatch(const SDL_Event& message) {
  if (message.type != 0 && message.type == TimerMessageType()) {
    HandleTimerMessage(message.user.code);
  } else if (message.type == SDL_QUIT) {
    // The session or a signal asks the game to end: the same as the close box.
    TEvent close;
    close.id = EVENT_APPTERMINATE;
    EmitEvent(close);
  } else if (windowHandler != nullptr) {
    windowHandler(message);
  }
}

}  // namespace

void SetWindowMessageHandler(TWindowMessageHandler handler) {
  windowHandler = handler;
}

void PollSystem() {
  if (polling || SDL_WasInit(SDL_INIT_EVENTS) == 0) {
    return;
  }
  struct Guard {
    Guard() { polling = true; }
    ~Guard() { polling = false; }
  } guard;
  SDL_Event message;
  while (SDL_PollEvent(&message) != 0) {
    Dispatch(message);
  }
}

void WaitSystem() {
  if (SDL_WasInit(SDL_INIT_EVENTS) != 0) {
    SDL_WaitEvent(nullptr);
  }
}

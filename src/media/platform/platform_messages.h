// Inside the media layer only: how SDL's event queue carries the messages of the other media modules.
#pragma once

#include <SDL.h>

#include <cstdint>

// The SDL event type registered at media start-up for timer ticks; 0 before.
uint32_t TimerMessageType();
void RegisterTimerMessageType();

// Counts the ticks of the timer whose handle a tick message carries (system.cpp calls it).
void HandleTimerMessage(int32_t handle);

// The window module's translation of SDL's window and keyboard events into game events.
using TWindowMessageHandler = void (*)(const SDL_Event& message);
void SetWindowMessageHandler(TWindowMessageHandler handler);

// The game thread's message queue: window-system messages and timer ticks, taken and dispatched as events.
#pragma once

// Takes every pending message and dispatches it (timer ticks are counted, window messages become events). A
// call made while one is running, from inside an event hook, returns at once.
void PollSystem();

// Blocks until a message has arrived that PollSystem has not taken yet.
void WaitSystem();

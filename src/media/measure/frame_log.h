// The frame log of a measuring build: when start-up reached each of its steps, when every frame started and was
// presented, how many timer ticks each wait took, when key events were taken from the window and in which frame a
// binding first took their press, and when each sound was asked for and when its first sample went to the device.
//
// Only a build configured with MORVIK_FRAME_LOG records anything (the perf report's own build). In every other
// build each hook below is an empty inline function of plain values, so the shipped game has no trace of it.
#pragma once

#include <cstdint>

#ifdef MORVIK_FRAME_LOG

// Start-up has finished the step named (a string literal).
void FrameLogStep(const char* step);
// A frame begins, in the game state given; frames are numbered from 0 in this order.
void FrameLogFrameStarted(int32_t gameState);
// The frame begun last was presented (its buffers swapped).
void FrameLogFramePresented();
// The frame timer's wait returned after this many ticks (1 when the loop kept up).
void FrameLogTicksWaited(int32_t ticks);
// The frame timer starts counting: its first tick falls one period after now.
void FrameLogTimerStarted();
// The window's key event for the game's key code was taken from the queue now (the keyboard's repeats are not
// recorded).
void FrameLogKeyEvent(int32_t key, bool down, bool repeat);
// This many presses of key were taken by the game in the current frame.
void FrameLogKeyPresses(int32_t key, int32_t presses);
// The mixer was asked to play a sound on this voice (the game thread).
void FrameLogSoundRequested(const void* voice);
// The voice's first sample lies frame frames into the fragment being mixed now (the audio thread).
void FrameLogSoundStarted(const void* voice, int32_t frame);
// Writes everything recorded to the file named by MORVIK_FRAME_LOG_FILE, if it is set.
void FrameLogWrite();

#else

inline void FrameLogStep(const char*) {}
inline void FrameLogFrameStarted(int32_t) {}
inline void FrameLogFramePresented() {}
inline void FrameLogTicksWaited(int32_t) {}
inline void FrameLogTimerStarted() {}
inline void FrameLogKeyEvent(int32_t, bool, bool) {}
inline void FrameLogKeyPresses(int32_t, int32_t) {}
inline void FrameLogSoundRequested(const void*) {}
inline void FrameLogSoundStarted(const void*, int32_t) {}
inline void FrameLogWrite() {}

#endif

// The smallest SDL2 and OpenGL 1.1 program the game's start-up is compared with, doing what any such game must do
// before its first frame: SDL, the audio device the game opens (44100 Hz, 16-bit stereo, 512-frame fragments, fed
// silence), a centred 800 by 600 OpenGL window with the game's buffer attributes, a context, and one frame with one
// untextured quad drawn in it, swapped to the screen. It prints the CLOCK_MONOTONIC time in nanoseconds at which
// that frame was presented and the process's CPU time then, as the game's frame log does for its first frame, so a
// script that notes the time before starting either can compare them.
#include <SDL.h>
#include <SDL_opengl.h>
#include <time.h>

#include <cstdio>
#include <cstring>

namespace {

void Silence(void*, Uint8* stream, int length) {
  std::memset(stream, 0, static_cast<size_t>(length));
}

long long Nanoseconds(clockid_t clock) {
  timespec now{};
  clock_gettime(clock, &now);
  return static_cast<long long>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

}  // namespace

int main(int, char**) {
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_AUDIO) != 0) {
    std::fprintf(stderr, "empty_window: %s\n", SDL_GetError());
    return 1;
  }
  SDL_AudioSpec wanted{};
  wanted.freq = 44100;
  wanted.format = AUDIO_S16SYS;
  wanted.channels = 2;
  wanted.samples = 512;
  wanted.callback = Silence;
  SDL_AudioDeviceID audio = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
  if (audio == 0) {
    std::fprintf(stderr, "empty_window: %s\n", SDL_GetError());
    SDL_Quit();
    return 1;
  }
  SDL_PauseAudioDevice(audio, 0);
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_Window* window = SDL_CreateWindow("Empty", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 800, 600,
                                        SDL_WINDOW_OPENGL);
  SDL_GLContext context = window != nullptr ? SDL_GL_CreateContext(window) : nullptr;
  if (context == nullptr) {
    std::fprintf(stderr, "empty_window: %s\n", SDL_GetError());
    SDL_CloseAudioDevice(audio);
    SDL_Quit();
    return 1;
  }
  SDL_GL_SetSwapInterval(0);
  glViewport(0, 0, 800, 600);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, 400, 300, 0, -1, 1);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glColor3ub(200, 40, 40);
  glBegin(GL_QUADS);
  glVertex2f(100, 75);
  glVertex2f(300, 75);
  glVertex2f(300, 225);
  glVertex2f(100, 225);
  glEnd();
  SDL_GL_SwapWindow(window);
  long long presented = Nanoseconds(CLOCK_MONOTONIC);
  long long cpu = Nanoseconds(CLOCK_PROCESS_CPUTIME_ID);
  std::printf("presented %lld cpu %lld\n", presented, cpu);
  SDL_GL_DeleteContext(context);
  SDL_DestroyWindow(window);
  SDL_CloseAudioDevice(audio);
  SDL_Quit();
  return 0;
}

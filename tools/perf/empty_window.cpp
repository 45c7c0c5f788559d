// The smallest SDL2 and OpenGL 1.1 program the game's start-up is compared with: SDL, a centred 800 by 600
// OpenGL window with the game's buffer attributes, a context, one cleared frame swapped to the screen, and out.
// It prints the CLOCK_MONOTONIC time in nanoseconds at which that frame was presented, as the game's frame log
// does for its first frame, so a script that notes the time before starting either can compare them.
#include <SDL.h>
#include <SDL_opengl.h>
#include <time.h>

#include <cstdio>

int main(int, char**) {
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "empty_window: %s\n", SDL_GetError());
    return 1;
  }
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_Window* window = SDL_CreateWindow("Empty", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 800, 600,
                                        SDL_WINDOW_OPENGL);
  SDL_GLContext context = window != nullptr ? SDL_GL_CreateContext(window) : nullptr;
  if (context == nullptr) {
    std::fprintf(stderr, "empty_window: %s\n", SDL_GetError());
    SDL_Quit();
    return 1;
  }
  SDL_GL_SetSwapInterval(0);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  SDL_GL_SwapWindow(window);
  timespec presented{};
  clock_gettime(CLOCK_MONOTONIC, &presented);
  std::printf("presented %lld\n", static_cast<long long>(presented.tv_sec) * 1000000000 + presented.tv_nsec);
  SDL_GL_DeleteContext(context);
  SDL_DestroyWindow(window);
  SDL_Quit();
  return 0;
}

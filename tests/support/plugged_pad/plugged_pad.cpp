// A pad left plugged in, for running the tests as they run on a machine with a pad attached. Preloaded into a
// program (LD_PRELOAD, by tests/support/with_a_pad_plugged_in.sh), it attaches one of SDL's virtual joysticks, a
// standard controller, whenever the program starts SDL's joystick subsystem, as SDL finds a real pad there at
// every start. SDL itself is not linked: its functions are looked up when first called, so a program that does not
// use SDL is not touched.
#include <SDL.h>
#include <dlfcn.h>

namespace {

template <typename Function>
Function Next(const char* name) {
  return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

bool JoysticksRunning() {
  static auto wasInit = Next<Uint32 (*)(Uint32)>("SDL_WasInit");
  return wasInit != nullptr && wasInit(SDL_INIT_JOYSTICK) != 0;
}

// A controller SDL knows as one, its buttons up, its sticks centred.
void PlugInAPad() {
  static auto attach = Next<int (*)(const SDL_VirtualJoystickDesc*)>("SDL_JoystickAttachVirtualEx");
  if (attach == nullptr) {
    return;
  }
  SDL_VirtualJoystickDesc desc{};
  desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
  desc.naxes = SDL_CONTROLLER_AXIS_MAX;
  desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
  desc.name = "Pad left plugged in";
  attach(&desc);
}

// Starting a subsystem may start the joysticks (SDL_Init calls its own SDL_InitSubSystem, and the game controllers
// bring the joysticks with them): a pad is plugged in only when the outermost call found them stopped and left
// them running.
thread_local int depth = 0;

template <typename Start>
int StartWithAPad(Start start, Uint32 flags) {
  if (start == nullptr) {
    return -1;
  }
  bool before = depth == 0 && JoysticksRunning();
  depth++;
  int result = start(flags);
  depth--;
  if (depth == 0 && !before && JoysticksRunning()) {
    PlugInAPad();
  }
  return result;
}

}  // namespace

extern "C" int SDL_Init(Uint32 flags) {
  static auto start = Next<int (*)(Uint32)>("SDL_Init");
  return StartWithAPad(start, flags);
}

extern "C" int SDL_InitSubSystem(Uint32 flags) {
  static auto start = Next<int (*)(Uint32)>("SDL_InitSubSystem");
  return StartWithAPad(start, flags);
}

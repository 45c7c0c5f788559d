// The OpenGL driver in a real window: a request that repeats the GL's current blend mode, bound texture or
// texturing makes no GL call.
//
//   e2e_gl_state GAME_DIR
#include <cstdio>
#include <filesystem>
#include <string>

#include "app/startup.h"
#include "checks.h"
#include "fighters/figure.h"
#include "media/core/runtime_error.h"
#include "media/graphics/graphics.h"
#include "media/graphics/image.h"
#include "media/platform/gl_driver.h"
#include "media/platform/media.h"
#include "shared/game_state.h"
#include "shared/window.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: e2e_gl_state GAME_DIR\n");
    return 2;
  }
  std::filesystem::current_path(argv[1]);
  std::string error;
  if (!StartMedia(&error)) {
    std::fprintf(stderr, "e2e_gl_state: %s\n", error.c_str());
    return 1;
  }
  try {
    StartUp();
    SetupGraphics();
    TGLStateChanges before = GLStateChanges();
    SetBlend(BLEND_ALPHA);  // already the blend mode
    Check(GLStateChanges().blend == before.blend, "repeating the blend mode made a GL call");
    SetBlend(BLEND_LIGHT);
    SetBlend(BLEND_ALPHA);
    Check(GLStateChanges().blend == before.blend + 2, "a change of blend mode made no GL call");

    before = GLStateChanges();
    for (int i = 0; i < 5; i++) {
      DrawImageFrame(FigureSheet, 200, 150, 0);
    }
    Check(GLStateChanges().textureBinds == before.textureBinds + 1, "the same texture was bound more than once");
    Check(GLStateChanges().texturing <= before.texturing + 1, "texturing was switched on more than once");
    before = GLStateChanges();
    DrawRect(0, 0, 10, 10);
    DrawRect(20, 0, 10, 10);
    Check(GLStateChanges().texturing == before.texturing + 1, "texturing was switched off more than once");

    // Every frame of an image is a texture of its own: binding follows the changes from one quad to the next.
    before = GLStateChanges();
    for (int frame : {3, 3, 4, 4, 4, 3}) {
      DrawImageFrame(FigureSheet, 200, 150, frame);
    }
    Check(GLStateChanges().textureBinds == before.textureBinds + 3, "binds do not follow the changes of texture");
    // The same after the window is opened again: the textures are made anew and bound as before.
    Zoom = 1;
    SetupGraphics();
    before = GLStateChanges();
    DrawImageFrame(FigureSheet, 200, 150, 3);
    DrawImageFrame(FigureSheet, 200, 150, 3);
    Check(GLStateChanges().textureBinds - before.textureBinds <= 2,
          "the new window's textures are bound again and again");
  } catch (const TRuntimeError& failure) {
    std::fprintf(stderr, "e2e_gl_state: %s\n", failure.what());
    failures++;
  }
  StopMedia();
  if (failures == 0) {
    std::printf("the OpenGL driver repeats no state\n");
  }
  return failures == 0 ? 0 : 1;
}

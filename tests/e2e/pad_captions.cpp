// The gamepad screen in the real window with one of SDL's own virtual pads plugged in while the game runs: a pad
// SDL's controller database knows ("known") or one it does not ("unknown"). Once it is taken up the program says so
// in a file (PAD.ready) and keeps drawing until the script has taken its screenshot (PAD.done).
//
//   e2e_pad_captions GAME_DIR WORK_DIR known|unknown
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>

#include "app/game.h"
#include "app/startup.h"
#include "checks.h"
#include "frontend/menu.h"
#include "media/core/runtime_error.h"
#include "media/graphics/graphics.h"
#include "media/input/gamepad.h"
#include "media/platform/media.h"
#include "media/platform/timer.h"
#include "shared/game_state.h"
#include "shared/window.h"
#include "support/virtual_pads.h"

namespace {

constexpr auto kScriptDeadline = std::chrono::seconds(60);

void RunFrames(int count) {
  for (int frame = 0; frame < count; frame++) {
    Game::Frame();
    FrameTimer->Wait();
  }
}

// Tells the script the screen is ready, then draws on until it has its screenshot.
void ShowUntilShot(const std::filesystem::path& work, const std::string& name) {
  RunFrames(25);
  std::FILE* ready = std::fopen((work / (name + ".ready")).c_str(), "w");
  if (ready != nullptr) {
    std::fclose(ready);
  }
  auto deadline = std::chrono::steady_clock::now() + kScriptDeadline;
  while (!std::filesystem::exists(work / (name + ".done")) && std::chrono::steady_clock::now() < deadline) {
    RunFrames(1);
  }
  Check(std::filesystem::exists(work / (name + ".done")), "no screenshot of the " + name + " pad was taken");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: e2e_pad_captions GAME_DIR WORK_DIR known|unknown\n");
    return 2;
  }
  std::string kind = argv[3];
  std::filesystem::path work = std::filesystem::absolute(argv[2]);
  std::filesystem::current_path(argv[1]);
  std::string error;
  if (!StartMedia(&error)) {
    std::fprintf(stderr, "e2e_pad_captions: %s\n", error.c_str());
    return 1;
  }
  try {
    StartUp();
    SetupGraphics();
    Menu::ShowScreen(MENU_GAMEPAD);
    RunFrames(10);
    std::unique_ptr<TVirtualPad> pad =
        kind == "known" ? TVirtualPad::AttachController() : TVirtualPad::AttachUnknown(0x4d56, 0x0021);
    Check(pad != nullptr, "SDL attached no virtual pad");
    RunFrames(5);
    Check(GamepadsFound() == 1, "the pad plugged in was not found");
    ShowUntilShot(work, kind);
  } catch (const TRuntimeError& failure) {
    std::fprintf(stderr, "e2e_pad_captions: %s\n", failure.what());
    failures++;
  }
  StopMedia();
  return failures == 0 ? 0 : 1;
}

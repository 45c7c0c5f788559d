// The start-up sequence. Its order matters: the saved settings are read before the window opens (so the first
// window already has the saved zoom) and before the sounds are loaded; all required data is read before the window
// opens, so that a missing file stops the game before anything appears; images need no window to be loaded, and
// the drawing layer keeps them drawable when the window is re-opened.
//
// The fonts and the sprite sheet are loaded on a second thread while the game thread connects to the display and
// reads the bindings, and the ring backgrounds and the sound effects, which the first frame does not need, while
// the window opens, which takes about as long. The game waits for the fonts and the sheet before the window opens
// and for the rest before its first frame: every frame sees everything loaded, as if it had all been loaded first,
// and the first frame comes sooner.
#include "app/startup.h"

#include <exception>
#include <functional>
#include <future>
#include <string>
#include <system_error>
#include <thread>
#include <utility>

#include "app/game.h"
#include "app/online_match.h"
#include "app/replay_playback.h"
#include "app/versus_match.h"
#include "controls/control.h"
#include "controls/default_bindings.h"
#include "controls/pad_take_up.h"
#include "controls/side_devices.h"
#include "fighters/figure.h"
#include "fighters/opponent.h"
#include "frontend/font.h"
#include "frontend/menu.h"
#include "media/core/clock.h"
#include "media/core/random.h"
#include "media/core/runtime_error.h"
#include "media/core/text.h"
#include "media/files/stream.h"
#include "media/graphics/image.h"
#include "media/input/gamepad.h"
#include "media/measure/frame_log.h"
#include "media/net/net_address.h"
#include "media/platform/game_folders.h"
#include "media/platform/gl_driver.h"
#include "media/platform/media.h"
#include "media/platform/timer.h"
#include "netplay/online_connection.h"
#include "shared/game_state.h"
#include "shared/rules.h"
#include "shared/sounds.h"

namespace {

constexpr int32_t kFontCellSize = 64;
constexpr int32_t kSmallFontCellSize = 32;

bool Usable(const TFont& font) {
  return font._image != nullptr && font._charWidth[u'A'] != 0;
}

// A usable font whose metrics file went on past the reading limit was read from its beginning: worth a word.
void WarnOfLongMetrics(const TFont& font, const char* path) {
  if (font._metricsCut) {
    ReportWarning("the font metrics " + CutTextFileNote(path));
  }
}

void LoadFonts() {
  GameFont = TFont::Load(u"gfx/font", kFontCellSize);
  // The game cannot show a word without its font.
  if (!Usable(*GameFont)) {
    throw TRuntimeError("cannot load the font \"gfx/font.png\" with its metrics \"gfx/font.dat\"");
  }
  WarnOfLongMetrics(*GameFont, "gfx/font.dat");
  // The small font only explains the game; it plays on without the explanations.
  SmallFont = TFont::Load(u"gfx/small", kSmallFontCellSize);
  if (!Usable(*SmallFont)) {
    ReportWarning(
        "cannot load the small font \"gfx/small.png\" with its metrics \"gfx/small.dat\"; the hints are not shown");
    SmallFont = nullptr;
  } else {
    WarnOfLongMetrics(*SmallFont, "gfx/small.dat");
  }
}

// What start-up loads beside its own steps: the fonts and the sprite sheet, then the ring backgrounds, and, once
// the audio driver has been chosen, the sound effects. Threaded, it does so on a thread of its own from Start on (once
// the globals it writes have been reset and the image flags it reads set); otherwise (or where no thread can be
// started) each part is loaded when the game thread asks for it. Either way the game thread takes the sprite sheet
// before the window opens, so that a missing font or sheet still stops the game before anything appears, and the rest
// before the first frame. The parts only decode files into the globals that hold them, which nothing else touches
// until they are taken.
class TStartUpLoading {
public:
  explicit TStartUpLoading(bool threaded) : _threaded(threaded) {}
  // Starts the thread, when threaded.
  void Start() {
    if (_threaded) {
      try {
        _thread = std::thread(&TStartUpLoading::Run, this);
      } catch (const std::system_error&) {
        // loaded on the game thread instead
      }
    }
  }
  // Stops after the part under way when the game did not get as far as its first frame.
  ~TStartUpLoading() {
    if (!_driverChosen) {
      _go.set_value(false);
    }
    if (_thread.joinable()) {
      _thread.join();
    }
  }
  TStartUpLoading(const TStartUpLoading&) = delete;
  TStartUpLoading& operator=(const TStartUpLoading&) = delete;

  bool Threaded() const { return _thread.joinable(); }
  // Waits for the fonts and the sprite sheet; raises their failure.
  void TakeRequiredData() {
    if (!_thread.joinable()) {
      LoadRequiredData();
      return;
    }
    _required.get_future().get();
  }
  // The audio driver is chosen: the effects may be made with it.
  void AudioDriverChosen() {
    _driverChosen = true;
    _go.set_value(true);
  }
  // Waits for the rest; raises what failed.
  void TakeTheRest() {
    if (!_thread.joinable()) {
      LoadBackgrounds();
      LoadEffects();
      return;
    }
    _thread.join();
    if (_failure != nullptr) {
      std::rethrow_exception(std::exchange(_failure, nullptr));
    }
  }

private:
  // The font first: a game without its font and its sheet names the font.
  static void LoadRequiredData() {
    LoadFonts();
    FrameLogStep("fonts");
    TFigure::Load();
    FrameLogStep("sprite sheet");
  }
  static void LoadBackgrounds() {
    Game::Load();
    FrameLogStep("ring backgrounds");
  }
  static void LoadEffects() {
    LoadSoundEffects();
    FrameLogStep("sound effects");
  }
  void Run() {
    try {
      LoadRequiredData();
      _required.set_value();
    } catch (...) {
      _required.set_exception(std::current_exception());
      return;
    }
    try {
      LoadBackgrounds();
      if (_go.get_future().get()) {
        LoadEffects();
      }
    } catch (...) {
      _failure = std::current_exception();
    }
  }

  bool _threaded;
  std::thread _thread;
  std::promise<void> _required;
  std::promise<bool> _go;
  bool _driverChosen = false;
  std::exception_ptr _failure;
};

// The game's data in start-up's order, after every floor's state is reset: the required data first (the fonts
// and the sprite sheet, which the loading may take on its thread while this one connects to the display), the
// bindings and key captions, the saved settings, the roster and the audio device, whose effects and the ring
// backgrounds the loading finishes.
void LoadData(TStartUpLoading& loading) {
  ResetGame();
  SetDefaultImageFlags(0);
  loading.Start();
  if (loading.Threaded()) {
    StartVideoEarly();
  }
  int32_t pads = CountGamepads();
  InstallDefaultBindings(pads - 1);
  SeedRandom(ElapsedMillis());
  TControl::Init(u"bin/keyboard.dat");
  FrameLogStep("gamepads and bindings");
  loading.TakeRequiredData();
  Menu::Load();
  // Saved bindings may name a pad that is not there (none was, when they were saved): they go to one that is.
  TakeUpGamepads(pads);
  FrameLogStep("menu pictures and settings");
  TOpponent::Load();
  FrameLogStep("roster");
  SelectGameAudioDriver();
  loading.AudioDriverChosen();
}

// The window's title and hidden pointer, which the window takes when it opens.
void PrepareWindow() {
  HideCursor();
  SetAppTitle(u"Morvik " + BytesToText(GAME_VERSION));
}

// The frame loop's beat. It starts last, with the window open and the data loaded: the timer's thread posts into
// the window system's queue, which must be complete before a second thread uses it, and a timer started earlier
// would only pile up ticks for the first frame to catch up on.
void StartFrameTimer() {
  FrameTimer = TTimer::Create(static_cast<float>(FRAMES_PER_SECOND));
  if (FrameTimer == nullptr) {
    throw TRuntimeError("cannot start the frame timer");
  }
  FrameLogStep("frame timer");
}

}  // namespace

void ResetGame() {
  ResetControls();
  ForgetSideDevices();
  VersusMatch::Reset();
  OnlineConnection::Close();
  OnlineMatch::Reset();
  ReplayPlayback::Reset();
  ResetGameState();
  ResetFighters();
  Menu::Reset();
}

void LoadGameData() {
  TStartUpLoading loading(false);
  LoadData(loading);
  loading.TakeTheRest();
}

void StartUp() {
  LoadGameData();
  PrepareWindow();
  StartFrameTimer();
}

namespace {

// What the command line asks, once the settings are read: an online screen at once, or a replay.
void FollowCommandLine(const TCommandLine& line) {
  if (line.inputDelay >= 0) {
    OnlineInputDelay = line.inputDelay;
  }
  if (line.action == TCommandLine::HOST) {
    HostPort = line.port != 0 ? line.port : NET_DEFAULT_PORT;
    Menu::HostOnlineNow();
  } else if (line.action == TCommandLine::JOIN) {
    Menu::JoinOnlineNow(line.target);
  } else if (line.action == TCommandLine::REPLAY) {
    std::string error;
    if (!ReplayPlayback::Start(BytesToText(line.target), &error)) {
      throw TRuntimeError(error);
    }
  }
}

}  // namespace

int RunGame(const TCommandLine& line) {
  FrameLogStep("main");
  std::string error;
  if (!EnterGameFolder(&error) || !StartMedia(&error)) {
    ReportFatal(error);
    return 1;
  }
  int status = 0;
  try {
    // Ended (joined) before the handler below runs and before the media layer stops, whatever happens.
    TStartUpLoading loading(true);
    LoadData(loading);
    FollowCommandLine(line);
    PrepareWindow();
    Game::Main([&loading] {
      loading.TakeTheRest();
      StartFrameTimer();
    });
  } catch (const TRuntimeError& failure) {
    ReportFatal(failure.what());
    status = 1;
  }
  StopMedia();
  FrameLogWrite();
  return status;
}

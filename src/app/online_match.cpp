// The online match in the frame loop.
#include "app/online_match.h"

#include <array>
#include <memory>
#include <span>

#include "app/fight_view.h"
#include "app/game.h"
#include "controls/commands.h"
#include "fight/fight.h"
#include "frontend/font.h"
#include "frontend/menu.h"
#include "media/audio/audio.h"
#include "media/core/text.h"
#include "media/graphics/graphics.h"
#include "media/input/key_codes.h"
#include "media/platform/media.h"
#include "netplay/online_connection.h"
#include "netplay/replay_recorder.h"
#include "shared/game_state.h"
#include "shared/rules.h"
#include "shared/sounds.h"

namespace {

constexpr int32_t kTicksPerSecond = FRAMES_PER_SECOND;
// The result's rows answer only after this long, as in a match of two here: a punch still being mashed as the
// last round ends must not choose Rematch or Back.
constexpr int32_t kResultLockTicks = 2 * kTicksPerSecond;
constexpr int32_t kResultRowY[2] = {174, 222};
constexpr int32_t kMenuRowY[2] = {126, 174};
constexpr int32_t kStatusY = 150;
constexpr int32_t kFiguresY = 288;
constexpr int32_t kFiguresStep = 16;

// Sounds started lately, with their channels: a sound of a wrong guess is stopped through its own.
struct TStartedSound {
  TFightEvent event;
  std::shared_ptr<TChannel> channel;
};

TReplayRecorder recorder;
int32_t recordedMatch = -1;  // the match the recorder holds; -1 for none
bool recordWritten = false;
bool menuOpen = false;
int32_t menuChoice = 0;
int32_t resultChoice = 0;
int32_t overFrames = 0;
int32_t shownMatch = -1;
bool figuresShown = false;
std::array<TStartedSound, 32> started;
size_t nextStarted = 0;

bool FightShown() {
  return Versus == VERSUS_ONLINE && GameState == GAMESTATE_FIGHT;
}

// This machine's player's frame: their own player-1 bindings, whichever side they stand on.
TInputFrame ReadLocal(const TFight& fight) {
  TCommandFrame commands;
  for (int32_t command = 0; command < COMMAND_PAUSE; command++) {
    commands.down[static_cast<size_t>(command)] = CommandDown(command) != 0;
    commands.hit[static_cast<size_t>(command)] = CommandHit(command) != 0;
  }
  TInputFrame frame = PackInput(commands, false, false);
  // After a knockout Enter and Space go on as well, the keys a player tries first.
  if (fight.Phase() == FIGHT_WAIT && (MenuKeyHits(KEY_ENTER) != 0 || MenuKeyHits(KEY_SPACE) != 0)) {
    frame |= MakeInput({}, {COMMAND_RIGHT_HAND});
  }
  return frame;
}

bool SameSound(const TFightEvent& a, const TFightEvent& b) {
  return a.tick == b.tick && a.kind == b.kind && a.sound == b.sound && a.fighter == b.fighter;
}

void PlaySounds(const TRollbackSession& session) {
  for (const TFightEvent& wrong : session.WrongSounds()) {
    for (TStartedSound& sound : started) {
      if (sound.channel != nullptr && SameSound(sound.event, wrong)) {
        sound.channel->Stop();
        sound.channel = nullptr;
      }
    }
  }
  for (const TFightEvent& event : session.Sounds()) {
    if (event.kind == TFightEvent::MATCH_SOUND) {
      PlaySfx(event.sound);
      continue;
    }
    // The variant follows from the match, not from a random draw: both machines hear the same.
    TStartedSound& slot = started[nextStarted++ % started.size()];
    slot.event = event;
    slot.channel = StartFightSound(event.sound, event.tick + event.fighter, event.volume);
  }
}

void WriteRecording() {
  if (recordedMatch < 0 || recordWritten || recorder.Ticks() == 0) {
    return;
  }
  recordWritten = true;
  KeepReplay(recorder.Replay());
}

// The ticks both machines have confirmed go into the replay, up to the one that decided the match; the replay is
// written once it is decided, and a rematch starts another.
void Record(const TRollbackSession& session) {
  if (session.Match() != recordedMatch) {
    WriteRecording();
    recorder.Begin(GAME_VERSION, FightRulesHash(), true, session.Ring(), session.Side());
    recordedMatch = session.Match();
    recordWritten = false;
  }
  int32_t last = session.OverTick() >= 0 ? session.OverTick() : session.ConfirmedTicks() - 1;
  for (int32_t tick = recorder.Ticks(); tick <= last && tick < session.ConfirmedTicks(); tick++) {
    TInputFrame left = 0;
    TInputFrame right = 0;
    uint64_t hash = 0;
    if (!session.ConfirmedFrames(tick, &left, &right) || !session.ConfirmedHash(tick, &hash) ||
        !recorder.Add(left, right, hash)) {
      break;
    }
  }
  if (session.OverTick() >= 0 && recorder.Ticks() == session.OverTick() + 1 && !recordWritten) {
    recorder.End(session.OverTick(), session.OverWinner());
    WriteRecording();
  }
}

// What a machine had when the two fights parted, for whoever looks into it: the tick, both hashes, this machine's
// state after the tick as bytes, and the replay of the match up to there.
void WriteDesync(const TRollbackSession& session) {
  int32_t tick = session.DesyncTick();
  uint64_t ours = 0;
  uint64_t theirs = 0;
  session.ConfirmedHash(tick, &ours);
  session.PeerHash(tick, &theirs);
  TFightState state;
  std::string report = session.Message() + "\ntick " + std::to_string(tick) + "\nhash here " + std::to_string(ours) +
                       "\nhash there " + std::to_string(theirs) + "\nstate here";
  if (session.StateAfter(tick, &state)) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(&state);
    constexpr char kHex[] = "0123456789abcdef";
    for (size_t i = 0; i < sizeof(state); i++) {
      report += (i % 32 == 0) ? "\n" : "";
      report += kHex[bytes[i] >> 4];
      report += kHex[bytes[i] & 15];
    }
  }
  report += "\n\n" + ReplayText(recorder.Replay());
  std::string path;
  std::string error;
  if (!WriteDesyncReport(report, &path, &error)) {
    ReportWarning("cannot write what the game had when it went out of step: " + error);
  } else {
    ReportWarning("the online match went out of step at tick " + std::to_string(tick) + "; written to " + path);
  }
}

// Back to the versus screen, with why when there is something to tell.
void Finish(std::u16string_view notice) {
  if (TRollbackSession* session = OnlineConnection::Session(); session != nullptr) {
    Record(*session);
  }
  WriteRecording();
  recordedMatch = -1;
  OnlineConnection::Close();
  menuOpen = false;
  shownMatch = -1;
  OnlineNotice = notice;
  if (Versus == VERSUS_ONLINE && GameState != GAMESTATE_NONE && GameState != GAMESTATE_OVER) {
    GameState = GAMESTATE_OVER;
    MenuState = MENUSTATE_SLIDING_IN;
    MenuScreen = MENU_VERSUS_MODES;
    SetInputLock(1);
  }
}

void StepMenu(TRollbackSession& session) {
  menuChoice = Menu::Wrap(menuChoice, Menu::NavigateUD(), 2);
  if (Menu::Button(u"Continue", kMenuRowY[0], menuChoice == 0 ? 1 : 0) != 0) {
    menuOpen = false;
    DropPendingPresses();
  } else if (Menu::Button(u"Leave match", kMenuRowY[1], menuChoice == 1 ? 1 : 0) != 0) {
    session.Leave();
    Finish(u"");
  }
}

void StepResult(TRollbackSession& session) {
  if (overFrames < kResultLockTicks) {
    DropPendingPresses();
  }
  resultChoice = Menu::Wrap(resultChoice, Menu::NavigateUD(), 2);
  if (Menu::Button(session.RematchAsked() ? u"Rematch: asked" : u"Rematch", kResultRowY[0],
                   resultChoice == 0 ? 1 : 0) != 0) {
    session.AskRematch();
  } else if (Menu::Button(u"Back", kResultRowY[1], resultChoice == 1 ? 1 : 0) != 0 || Menu::Back() != 0) {
    session.Leave();
    Finish(u"");
  }
}

void DrawFigures(const TRollbackSession& session) {
  if (SmallFont == nullptr) {
    return;
  }
  // Drawn every frame while shown: put together in place, without allocating.
  TSessionFigures figures = session.Figures();
  TShortText trip;
  trip.Add(u"Round trip ").Add(figures.roundTripMillis).Add(u" ms, input delay ").Add(figures.inputDelay);
  SmallFont->Draw(trip.View(), 200, kFiguresY - kFiguresStep, ALIGN_CENTER, ALIGN_CENTER);
  TShortText rollbacks;
  rollbacks.Add(u"Rollbacks ").Add(figures.rollbacksLastSecond).Add(u"/s (deepest ").Add(figures.deepestLastSecond);
  rollbacks.Add(u"), ticks waited ").Add(static_cast<int32_t>(figures.ticksWaited));
  SmallFont->Draw(rollbacks.View(), 200, kFiguresY, ALIGN_CENTER, ALIGN_CENTER);
}

}  // namespace

namespace OnlineMatch {

void Frame() {
  TRollbackSession* session = OnlineConnection::Session();
  if (session == nullptr) {
    return;
  }
  bool reading = FightShown() && !menuOpen && InputLock == 0 && session->Fight().Phase() != FIGHT_OVER;
  session->Tick(reading ? ReadLocal(session->Fight()) : INPUT_NONE);
  if (!session->Began() || Versus != VERSUS_ONLINE) {
    return;  // the online screens follow the handshake
  }
  PlaySounds(*session);
  Record(*session);
  if (session->Match() != shownMatch) {
    shownMatch = session->Match();
    resultChoice = 0;
    overFrames = 0;
  }
  if (session->Fight().Phase() == FIGHT_OVER) {
    overFrames++;
  }
  if (session->State() == SESSION_DESYNC) {
    WriteDesync(*session);
  }
  if (session->State() >= SESSION_PEER_LEFT) {
    Finish(BytesToText(session->Message()));
  }
}

void Step() {
  TRollbackSession* session = OnlineConnection::Session();
  if (session == nullptr) {
    return;
  }
  if (InputLock == 0 && MenuKeyHits(KEY_F1 + 2) != 0) {
    figuresShown = !figuresShown;
  }
  bool over = session->Fight().Phase() == FIGHT_OVER;
  if (!over && (CommandHit(COMMAND_PAUSE) != 0 || MenuBackHits() != 0)) {
    menuOpen = !menuOpen;
    menuChoice = 0;
    DropPendingPresses();
  }
}

void Draw() {
  TRollbackSession* session = OnlineConnection::Session();
  if (session == nullptr || !session->Began()) {
    return;
  }
  const TFight& fight = session->Fight();
  bool left = session->Side() == 0;
  DrawFightView(fight, left ? u"P1 (you)" : u"P1", left ? u"P2" : u"P2 (you)");
  if (GameState != GAMESTATE_FIGHT) {
    return;
  }
  DrawFightMessages(fight, u"Either player: a punch goes on");
  if (fight.Phase() == FIGHT_OVER) {
    DrawFightResult(fight);
    if (SmallFont != nullptr && session->PeerAskedRematch()) {
      SmallFont->Draw(u"The other player asks for a rematch", 200, kStatusY, ALIGN_CENTER, ALIGN_CENTER);
    } else if (SmallFont != nullptr && session->RematchAsked()) {
      SmallFont->Draw(u"Waiting for the other player", 200, kStatusY, ALIGN_CENTER, ALIGN_CENTER);
    }
    StepResult(*session);
  } else if (menuOpen) {
    StepMenu(*session);
  }
  if (OnlineConnection::Session() == nullptr) {
    return;  // the player left the match just now
  }
  if (session->State() == SESSION_INTERRUPTED) {
    Game::Info(u"Connection interrupted");
  }
  if (figuresShown) {
    DrawFigures(*session);
  }
}

void Leave() {
  if (TRollbackSession* session = OnlineConnection::Session(); session != nullptr) {
    session->Leave();
  }
  Finish(u"");
}

void Reset() {
  menuOpen = false;
  menuChoice = 0;
  resultChoice = 0;
  overFrames = 0;
  shownMatch = -1;
  figuresShown = false;
  started = {};
  nextStarted = 0;
  recordedMatch = -1;
  recordWritten = false;
}

}  // namespace OnlineMatch

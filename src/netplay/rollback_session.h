// One side of an online match: the fight of two players kept in step with the other machine's by rollback. Each
// frame the local player's frame goes in (a tick or more later, the input delay), the other player's is guessed
// as what they held last, and the fight runs on at once; when their real frames arrive and differ from the guess,
// the fight goes back to the first tick guessed wrong and plays the ticks since again. The two machines exchange
// hashes of ticks both have confirmed, so a match that parts is stopped rather than played on in two versions.
//
// Nothing is allocated per frame: saved states, frames, hashes and sounds live in fixed rings.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "fight/fight.h"
#include "netplay/packet.h"
#include "shared/rules.h"

class TNetTransport;

inline constexpr int32_t SESSION_RING = 128;  // ticks of history kept; a power of two
inline constexpr int32_t SESSION_MAX_PREDICTION = 8;
inline constexpr int32_t SESSION_MAX_INPUT_DELAY = ONLINE_MAX_INPUT_DELAY;
inline constexpr int32_t SESSION_INTERRUPT_MILLIS = 500;
inline constexpr int32_t SESSION_GONE_MILLIS = 5000;
// Sounds of one frame: a rollback may replay several ticks' worth.
inline constexpr int32_t SESSION_MAX_SOUNDS = 64;

enum : int32_t {
  SESSION_HANDSHAKE,    // waiting for the peer's hello
  SESSION_RUNNING,      // the fight goes on
  SESSION_INTERRUPTED,  // nothing heard for a moment: the fight waits
  SESSION_PEER_LEFT,    // the peer quit, or stayed silent too long (this and those below are final)
  SESSION_LEFT,         // we left (Leave)
  SESSION_REFUSED,      // the two games cannot play each other (Message says why)
  SESSION_DESYNC,       // the two fights parted (DesyncTick says where)
};

struct TSessionConfig {
  int32_t side = 0;                         // 0 the host (the left fighter), 1 the joiner
  int32_t inputDelay = 1;                   // 0..SESSION_MAX_INPUT_DELAY ticks
  std::string_view version = GAME_VERSION;  // as players read it; a view, so it must outlive the session
  int32_t ring = 0;                         // the host's ring is the one both fight in (it is only drawn)
  uint64_t rulesHash = 0;                   // FightRulesHash() of this build; the session asks for it when 0
};

// What the network line of the fight shows, and what the soak adds up.
struct TSessionFigures {
  int32_t roundTripMillis = 0;
  int32_t inputDelay = 0;
  int32_t rollbacksLastSecond = 0;
  int32_t deepestLastSecond = 0;
  int64_t rollbacks = 0;        // over the whole match
  int64_t rolledBackTicks = 0;  // ticks played again
  int32_t deepest = 0;
  int64_t ticksWaited = 0;     // frames the fight waited for the peer (prediction used up, or time sync)
  int64_t droppedPackets = 0;  // messages refused as malformed or hostile
};

class TRollbackSession {
public:
  TRollbackSession(TNetTransport& transport, const TSessionConfig& config);
  TRollbackSession(const TRollbackSession&) = delete;
  TRollbackSession& operator=(const TRollbackSession&) = delete;

  // One frame: takes what arrived, plays ticks again where the guess was wrong, and steps the fight one tick on
  // local (unless it must wait), then tells the peer. The sounds of the frame follow in Sounds()/WrongSounds().
  void Tick(TInputFrame local);
  // Leaves the match: the peer hears it at once.
  void Leave();
  // Once the match is over (OverTick() >= 0), asks for another. When both sides have asked, the next match begins
  // on both: the fight fresh from tick 0, and Match() one higher.
  void AskRematch();
  bool RematchAsked() const { return _rematchAsked; }
  bool PeerAskedRematch() const { return _peerRematch; }
  // The matches begun on this connection before the present one.
  int32_t Match() const { return _match; }

  int32_t State() const { return _state; }
  // 0 on the host's machine (the left fighter), 1 on the joiner's.
  int32_t Side() const { return _config.side; }
  // Whether the handshake succeeded: the match began, whatever happened since.
  bool Began() const { return _began; }
  // Why the session stopped, as the player reads it; empty while it runs.
  const std::string& Message() const { return _message; }
  int32_t DesyncTick() const { return _desyncTick; }
  // The ring both fight in: the host's, which the joiner learns from its hello.
  int32_t Ring() const { return _config.side == 0 ? _config.ring : _peerRing; }

  const TFight& Fight() const { return _fight; }
  // Ticks whose inputs both sides know and that were played on them: final on both machines.
  int32_t ConfirmedTicks() const { return std::min(_remoteNext, _fight.Tick()); }
  // The hash after a confirmed tick still in the ring; false for any other.
  bool ConfirmedHash(int32_t tick, uint64_t* hash) const;
  // The frames a confirmed tick still in the ring was played on, the left fighter's first; false for any other.
  bool ConfirmedFrames(int32_t tick, TInputFrame* left, TInputFrame* right) const;
  // The state after a tick played and still in the ring (what a desync is looked into with); false for any other.
  bool StateAfter(int32_t tick, TFightState* state) const;
  // The hash the peer sent for a tick, when it is still kept; false for any other.
  bool PeerHash(int32_t tick, uint64_t* hash) const;
  // The first confirmed tick after which the match was over, or -1; with its hash and winner.
  int32_t OverTick() const { return _overTick; }
  uint64_t OverHash() const { return _overHash; }
  int32_t OverWinner() const { return _overWinner; }

  // The sounds to start this frame: those of ticks played for the first time, and those that a tick played again
  // made that the first time did not.
  std::span<const TFightEvent> Sounds() const { return {_sounds.data(), _soundCount}; }
  // Sounds started earlier on a wrong guess that the tick played again did not make: the caller may stop them.
  std::span<const TFightEvent> WrongSounds() const { return {_wrongSounds.data(), _wrongCount}; }

  TSessionFigures Figures() const;

private:
  struct TTickRecord {
    TFightState before;  // the state the tick starts from
    TInputFrame local = 0;
    TInputFrame remoteUsed = 0;  // the peer's frame the tick was played on (guessed or known)
    uint64_t hashAfter = 0;
    bool overAfter = false;
    std::array<TFightEvent, 8> events{};  // what the players were made to hear
    uint8_t eventCount = 0;
  };

  static size_t Slot(int32_t tick) { return static_cast<size_t>(tick) & (SESSION_RING - 1); }
  TInputFrame& LocalFrame(int32_t tick) { return _localFrames[Slot(tick)]; }

  void Receive();
  void Handle(const TPacket& packet);
  void HandleHello(const TPacket& packet);
  void HandleInput(const TInputPacket& input);
  void CompareHash(int32_t tick, uint64_t hash);
  void Confirm();
  void RollBack();
  void Step(bool firstTime);
  TInputFrame Guess() const;
  // How many ticks this side thinks it runs ahead of the peer.
  int32_t Lead() const;
  std::string Refusal(uint8_t verdict, std::string_view peerVersion) const;
  bool TimeSyncWait();
  void SendHello();
  void SendInput();
  void SendControl(size_t size);
  void Stop(int32_t state, std::string message);
  void BeginNextMatch();
  void AddSound(const TFightEvent& event);
  void AddWrongSound(const TFightEvent& event);

  TNetTransport& _transport;
  TSessionConfig _config;
  int32_t _state = SESSION_HANDSHAKE;
  std::string _message;
  int32_t _desyncTick = -1;
  bool _helloSent = false;
  bool _began = false;
  int32_t _remoteDelay = 0;
  int32_t _peerRing = 0;

  TFight _fight;
  TFightState _fresh;  // the fight as a match begins
  int32_t _match = 0;
  bool _rematchAsked = false;
  bool _peerRematch = false;
  std::array<TTickRecord, SESSION_RING> _ticks{};
  std::array<TInputFrame, SESSION_RING> _localFrames{};
  std::array<TInputFrame, SESSION_RING> _remoteFrames{};
  std::array<int32_t, SESSION_RING> _remoteHashTicks{};
  std::array<uint64_t, SESSION_RING> _remoteHashes{};
  int32_t _localNext = 0;    // local frames known: ticks 0.._localNext-1
  int32_t _remoteNext = 0;   // the peer's frames known, all from 0
  int32_t _peerAck = 0;      // our frames the peer holds
  int32_t _firstWrong = -1;  // the earliest tick played on a wrong guess, -1 for none
  int32_t _confirmed = 0;    // ticks whose hashes were checked against the peer's or are ready to be
  int32_t _peerLead = 0;
  int32_t _sinceSyncWait = 0;
  TInputFrame _carriedHits = 0;  // presses of frames the fight waited through, kept for the next tick
  int32_t _lastHeard = 0;
  bool _heard = false;

  int32_t _overTick = -1;
  uint64_t _overHash = 0;
  int32_t _overWinner = -1;

  std::array<TFightEvent, SESSION_MAX_SOUNDS> _sounds{};
  size_t _soundCount = 0;
  std::array<TFightEvent, SESSION_MAX_SOUNDS> _wrongSounds{};
  size_t _wrongCount = 0;

  // Rollbacks of the last second, frame by frame: how deep each frame's was (0 for none).
  std::array<int32_t, 50> _recentDepths{};
  size_t _frame = 0;
  TSessionFigures _totals;
  std::array<uint8_t, NETPLAY_MAX_PACKET> _buffer{};
};
